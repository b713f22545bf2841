#!/usr/bin/env bash
# The Debian package on fresh minimal Debian 12 systems, as a person installs it: a minimal
# system made with debootstrap from the Debian mirror apt is configured with, then copied once
# for each way of installing the package:
#   recommends      apt-get install ./detron.deb
#   no-recommends   the same with --no-install-recommends
#   vera            fontconfig's font dependency met first by ttf-bitstream-vera (no Hebrew
#                   letters), then the package installed without recommends
#   vera+FONT       the same, with FONT named beside the package: one of the alternatives of
#                   its font dependency other than the first, so that DejaVu is not there
# Each time the installed window is started on a private display, and once it has gone idle a
# picture of it is saved, and one of its About box; which fonts fontconfig gives for
# "DejaVu Sans" and for Hebrew is noted. The package is then purged, with what it brought (FONT
# included), and whatever is left on the system that was not there before is listed, with the
# package that owns it, if any. Every font the package may bring is also checked for every
# character of the window's texts (fc-query), and must draw them all.
# With --debian 13, the package is first built on a fresh Debian 13 system by `make package`,
# which installs only what that needs, and that package is checked on Debian 13 the same way;
# then also as an upgrade: the Debian 12 package (DEB) installed first, the Debian 13 one over it.
# Not part of `make test`: it needs the Debian mirror, root, and a few minutes (with --debian 13,
# some more for the build).
#   tools/package-check.sh [--debian 12|13] [DEB [OUT_DIR]]
# DEB defaults to the one `make package` made on this (Debian 12) machine; OUT_DIR
# (build/package-check) receives the pictures, the logs and report-debianN.txt. MIRROR
# overrides the mirror.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
release=12
if [[ "${1:-}" == --debian ]]; then
  release=${2:?usage: tools/package-check.sh [--debian 12|13] [DEB [OUT_DIR]]}
  shift 2
fi
case "$release" in
  12) codename=bookworm ;;
  13) codename=trixie ;;
  *) echo "package-check.sh: Debian $release is not one it knows (12 or 13)" >&2; exit 2 ;;
esac
deb=${1:-$(ls "$here"/build/package/packages/detron_*.deb 2>/dev/null | head -n 1)}
out=${2:-$here/build/package-check}
[[ -f "$deb" ]] || { echo "no package: run make package first, or name one" >&2; exit 2; }
[[ $(id -u) -eq 0 ]] || { echo "package-check.sh needs root (debootstrap, chroot)" >&2; exit 2; }
deb=$(realpath "$deb")
"$here/tools/deps.sh" debootstrap xvfb xauth openbox x11-utils x11-apps xdotool netpbm fontconfig python3

# The Debian mirror of apt's own configuration, in either format.
mirror=${MIRROR:-$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
  2>/dev/null | awk '/^deb / && / bookworm( |$)/ { print $2; exit }
                     /^URIs:/ { uri = $2 } /^Suites:.*bookworm( |$)/ && uri { print uri; exit }' || true)}
mirror=${mirror:-http://deb.debian.org/debian}

mkdir -p "$out"
out=$(realpath "$out")
work=$(mktemp -d /var/tmp/detron-package-check.XXXXXX)
mounts=()
cleanup() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT
report=$out/report-debian$release.txt
: >"$report"
say() { echo "$*" | tee -a "$report"; }
failures=0
fail() { say "FAIL: $*"; failures=$((failures + 1)); }

say "Debian $release ($codename), mirror $mirror"
# The minimal system, made once; the downloaded packages are kept beside it for every copy.
base=$out/debian$release-minbase
apt_cache=$out/apt-archives
mkdir -p "$apt_cache/partial"
if [[ ! -f "$base/.complete" ]]; then
  rm -rf "$base"
  debootstrap --variant=minbase --cache-dir="$apt_cache" "$codename" "$base" "$mirror" >"$out/debootstrap.log" 2>&1 ||
    { tail -n 20 "$out/debootstrap.log"; exit 1; }
  touch "$base/.complete"
fi
say "minimal system: $(du -sh --exclude=proc "$base" | cut -f1), $(chroot "$base" dpkg-query -W | wc -l) packages"

# A copy of the minimal system with the host's /proc, /dev and name resolution, sharing the
# downloaded packages.
new_system() {
  local root=$work/$1
  cp -a "$base" "$root"
  cp /etc/resolv.conf "$root/etc/resolv.conf"
  mount -t proc proc "$root/proc" && mounts+=("$root/proc")
  mount --bind /dev "$root/dev" && mounts+=("$root/dev")
  mount --bind "$apt_cache" "$root/var/cache/apt/archives" && mounts+=("$root/var/cache/apt/archives")
  cp "$deb" ${deb12:+"$deb12"} "$root/tmp/"
  chroot "$root" apt-get update -q >/dev/null
}
in_system() { chroot "$work/$1" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 "${@:2}"; }
end_system() {
  for mount in "$work/$1/var/cache/apt/archives" "$work/$1/dev" "$work/$1/proc"; do umount -l "$mount"; done
  rm -rf --one-file-system "${work:?}/$1"
}

# On Debian 13 the package is that release's own: `make package` on a fresh system, from a copy
# of the sources, as a Debian 13 user builds it.
deb12=
if [[ $release != 12 ]]; then
  say ""
  say "== make package on Debian $release"
  new_system build
  in_system build dpkg-query -W -f='${Package}\n' | sort >"$work/build.packages-before"
  mkdir -p "$work/build/root/detron"
  tar -C "$here" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/build/root/detron" -xf -
  epoch=$(git -C "$here" log -1 --format=%ct 2>/dev/null || true)
  # make itself is what a person installs first, to run `make package`.
  in_system build apt-get install -y -q --no-install-recommends make >"$out/debian$release-make.log" 2>&1 ||
    { tail -n 20 "$out/debian$release-make.log"; fail "installing make on Debian $release"; exit 1; }
  if ! in_system build env ${epoch:+SOURCE_DATE_EPOCH=$epoch} make -C /root/detron package JOBS=2 \
       >"$out/debian$release-build.log" 2>&1; then
    tail -n 30 "$out/debian$release-build.log"
    fail "make package on Debian $release"
    exit 1
  fi
  added=$(in_system build dpkg-query -W -f='${Package}\n' | sort | comm -13 "$work/build.packages-before" - | wc -l)
  say "  make package installed $added packages to build it (make included)"
  built=$(ls "$work"/build/root/detron/build/package/packages/detron_*.deb)
  cp "$built" "$out/"
  end_system build
  deb12=$deb
  deb=$out/$(basename "$built")
fi
say "package: $(basename "$deb")${deb12:+, and as an upgrade of $(basename "$deb12")}"
depends=$(dpkg-deb -f "$deb" Depends)
fonts=$(tr ',' '\n' <<<"$depends" | grep -E '(^| )fonts-dejavu-core( |$)' | tr -d '|' | xargs)
[[ -n "$fonts" ]] || { fail "Depends has no font alternatives: $depends"; exit 1; }
say "font alternatives: $fonts"

# The window's texts, from the program's own sources, for the font check.
texts=$work/texts
window_texts=$(ls "$here"/build/{ci,dev}/tests/package/window_texts 2>/dev/null | head -n 1 || true)
if [[ -n "$window_texts" ]]; then
  "$window_texts" | cut -f2- >"$texts"
else
  echo "window_texts is missing: make test, or cmake --build --preset dev --target window_texts, first" >&2
  exit 2
fi

# Every font alternative draws every character of the window, font files as the package has them.
for font in $fonts; do
  mkdir -p "$work/fonts/$font"
  (cd "$work/fonts" && apt-get download "$font" >/dev/null 2>&1) || { fail "cannot download $font"; continue; }
  dpkg-deb -x "$work"/fonts/"${font}"_*.deb "$work/fonts/$font"
  mapfile -t files < <(find "$work/fonts/$font" -regextype egrep -regex '.*\.(ttf|otf|ttc|pfa|pfb)$' | sort)
  if result=$("$here/tools/font-coverage.py" "$texts" "${files[@]}"); then
    say "$font: $(tail -n 1 <<<"$result")"
  else
    fail "$font does not draw the window's texts: $(grep 'not drawn' <<<"$result" | tr '\n' ' ')"
  fi
done

# Every file of the system but what apt and dpkg keep about themselves.
files_of() {
  (cd "$work/$1" && find . -xdev \( -path ./proc -o -path ./dev -o -path ./tmp -o -path ./var/cache \
    -o -path ./var/lib/apt/lists -o -path ./var/log \) -prune -o -print | sort)
}

# Starts the installed window on a private display, waits until it has shown its first
# conversion, and saves a picture of it with what fontconfig chose.
picture() {
  local name=$1 root=$work/$1
  say "  fontconfig: \"DejaVu Sans\" -> $(in_system "$name" fc-match 'DejaVu Sans' 2>&1 | head -n 1);" \
      "Hebrew -> $(in_system "$name" fc-match ':lang=he' 2>&1 | head -n 1)"
  "$here/tools/x-session.sh" bash -c '
    chroot "$1" env LC_ALL=C.UTF-8 QT_ACCESSIBILITY=0 /usr/bin/detron 2>"$3.stderr" & program=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --class detron | head -n 1)
    [[ -n "$window" ]] || exit 1
    "$2/tools/wait-idle.sh" "$program"
    xwd -id "$window" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$3.png"
    # The About item, leftmost on the menu bar, and the message box it opens.
    xdotool mousemove --window "$window" 22 8 click 1
    for _ in $(seq 1200); do
      box=$(xdotool search --onlyvisible --class detron | grep -vx "$window" | head -n 1 || true)
      [[ -n "$box" ]] && break
      sleep 0.05
    done
    [[ -n "$box" ]] || exit 2
    "$2/tools/wait-idle.sh" "$program"
    xwd -id "$box" -silent | xwdtopnm 2>/dev/null | pnmtopng >"$3.about.png"
    kill "$program"' picture "$root" "$here" "$out/$name" >"$out/$name.window.log" 2>&1 ||
    { cat "$out/$name.window.log"; fail "$name: the window or its About box did not show"; return 0; }
  say "  pictures: $out/$name.png ($(pngtopnm "$out/$name.png" | head -n 2 | tail -n 1 | tr ' ' 'x')), the About" \
      "box $out/$name.about.png"
  [[ -s "$out/$name.stderr" ]] && say "  the program wrote: $(head -n 5 "$out/$name.stderr" | tr '\n' ' ')"
  return 0
}

# Installs the package one way, looks at the window, purges it and lists what is left.
scenario() {
  local name=$1 before_packages=$2 install_options=$3 extra=$4
  say ""
  say "== $name"
  new_system "$name"
  if [[ -n "$before_packages" ]]; then
    # shellcheck disable=SC2086
    in_system "$name" apt-get install -y -q --no-install-recommends $before_packages >"$out/$name.before.log" 2>&1 ||
      { tail -n 20 "$out/$name.before.log"; fail "$name: installing $before_packages"; return 0; }
    say "  first: $before_packages"
  fi
  files_of "$name" >"$work/$name.files-before"
  in_system "$name" dpkg-query -W -f='${Package}\n' | sort >"$work/$name.packages-before"
  # shellcheck disable=SC2086
  if ! in_system "$name" apt-get install -y -q $install_options "/tmp/$(basename "$deb")" $extra \
       >"$out/$name.install.log" 2>&1; then
    tail -n 20 "$out/$name.install.log"; fail "$name: apt-get install"; return 0
  fi
  local installed_version
  installed_version=$(in_system "$name" dpkg-query -W -f='${Version}' detron)
  say "  detron $installed_version"
  [[ "$installed_version" == "$(dpkg-deb -f "$deb" Version)" ]] || fail "$name: detron $installed_version is installed"
  # A font named beside the package came for it, and goes with it.
  # shellcheck disable=SC2086
  [[ -z "$extra" ]] || in_system "$name" apt-mark auto $extra >/dev/null
  local added
  added=$(in_system "$name" dpkg-query -W -f='${Package}\n' | sort | comm -13 "$work/$name.packages-before" -)
  say "  installed with $(wc -l <<<"$added") packages, fonts: $(grep -E '^(fonts-|ttf-|culmus)' <<<"$added" | xargs)"
  say "  installed fonts:" \
      "$(in_system "$name" dpkg-query -W -f='${Package}\n' | grep -E '^(fonts-|ttf-|culmus)' | xargs)"
  picture "$name"
  in_system "$name" apt-get purge -y -q --autoremove detron >"$out/$name.purge.log" 2>&1 || fail "$name: purge"
  local left packages_left owner
  left=$(files_of "$name" | comm -13 "$work/$name.files-before" -)
  packages_left=$(in_system "$name" dpkg-query -W -f='${Package} ${Status}\n' | grep -v ' not-installed$' |
    cut -d' ' -f1 | sort | comm -13 "$work/$name.packages-before" - | xargs)
  say "  after purge: packages left: ${packages_left:-none}"
  say "  after purge: files left: $(grep -c . <<<"$left" || true)"
  while read -r file; do
    [[ -n "$file" ]] || continue
    owner=$(in_system "$name" dpkg-query -S "${file#.}" 2>/dev/null | cut -d: -f1 | head -n 1 || true)
    say "    ${file#.} (${owner:-no package})"
  done <<<"$left"
  grep -q detron <<<"$left$packages_left" && fail "$name: the purge left detron's files"
  end_system "$name"
}

tag=$([[ $release == 12 ]] || echo "debian$release-")
scenario "${tag}recommends" "" "" ""
scenario "${tag}no-recommends" "" "--no-install-recommends" ""
# The package of the release before, as a system upgraded to this one has it, replaced by this one.
[[ -z "$deb12" ]] || scenario "${tag}upgrade-from-debian12" "/tmp/$(basename "$deb12")" "--no-install-recommends" ""
scenario "${tag}vera" "fontconfig ttf-bitstream-vera" "--no-install-recommends" ""
for font in $fonts; do
  [[ "$font" == fonts-dejavu-core ]] && continue
  scenario "${tag}vera+$font" "fontconfig ttf-bitstream-vera" "--no-install-recommends" "$font"
done

say ""
[[ $failures -eq 0 ]] && say "package check passed; pictures and logs in $out" || say "$failures failures"
exit $((failures > 0))
