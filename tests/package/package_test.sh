#!/usr/bin/env bash
# The Debian package as a person gets it: made by CPack from this build, unpacked without
# installing it, its files and control fields checked, lintian's verdict taken, and the
# unpacked program started until it has shown its first conversion.
#   package_test.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1 source=$2 version=$3
arch=$(dpkg --print-architecture)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$work/out/detron_${version}_${arch}.deb
[[ -f "$deb" ]] || { ls "$work/out"; echo "FAIL: no detron_${version}_${arch}.deb"; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

# Control fields: the project's version, Depends found from the binary.
field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == detron ]] || fail "Package: $(field Package)"
[[ "$(field Version)" == "$version" ]] || fail "Version: $(field Version), project $version"
[[ "$(field Architecture)" == "$arch" ]] || fail "Architecture: $(field Architecture)"
[[ "$(field Maintainer)" == *"<"*"@"*">" ]] || fail "Maintainer: $(field Maintainer)"
[[ -n "$(field Section)" && -n "$(field Description)" ]] || fail "Section or Description missing"
depends=$(field Depends)
echo "Depends: $depends"
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ "$depends" == *"$library ("* ]] || fail "Depends lacks $library"
done

# Files: the program and what a desktop needs of it, nothing outside /usr.
dpkg-deb -x "$deb" "$work/root"
for file in usr/bin/detron usr/share/applications/org.example.Detron.desktop \
            usr/share/icons/hicolor/scalable/apps/org.example.Detron.svg \
            usr/share/metainfo/org.example.Detron.metainfo.xml usr/share/man/man1/detron.1.gz \
            usr/share/doc/detron/copyright usr/share/doc/detron/changelog.gz; do
  [[ -f "$work/root/$file" ]] || fail "missing $file"
done
# Every program in the package has its manual.
for program in "$work"/root/usr/bin/*; do
  [[ -x "$program" ]] || fail "$program is not executable"
  [[ -f "$work/root/usr/share/man/man1/$(basename "$program").1.gz" ]] || fail "no manual for $(basename "$program")"
  file -b "$program" | grep -q ', stripped' || fail "$(basename "$program") is not stripped"
done
outside=$(cd "$work/root" && find . -mindepth 1 -maxdepth 1 ! -name usr)
[[ -z "$outside" ]] || fail "files outside /usr: $outside"
desktop-file-validate "$work/root/usr/share/applications/org.example.Detron.desktop" || fail "desktop entry"

echo "lintian:"
lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

# Processor time of a process so far, all threads, in nanoseconds; "ready" when any thread
# waits only for a processor.
processor_use() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ sum += $1 } END { printf "%d", sum }'
  grep -q -E '\) R ' /proc/"$1"/task/*/stat 2>/dev/null && echo " ready"
  echo
}

# The unpacked program starts offscreen and stays up once its start-up is over (a whole second
# without a thread ready to run or any processor use), then on a display shows today's date
# converted, read as a screen reader reads it.
QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/detron" &
program=$!
last=$(processor_use "$program") quiet=0
for _ in $(seq 1200); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.05
  now=$(processor_use "$program")
  if [[ "$now" == "$last" && "$now" != *ready ]]; then
    quiet=$((quiet + 1))
    [[ $quiet -ge 20 ]] && break
  else
    last=$now quiet=0
  fi
done
kill -0 "$program" 2>/dev/null || fail "the unpacked program ended at start-up"
[[ $quiet -ge 20 ]] || fail "the unpacked program never went idle"
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
"$source/tools/x-session.sh" --dbus /usr/bin/python3 "$source/tests/converter_qt/screen_reader_test.py" \
  "$work/root/usr/bin/detron" >"$work/reader.log" 2>&1 || { cat "$work/reader.log"; fail "the unpacked program, read through AT-SPI"; }
grep -E '^(Ran|OK)' "$work/reader.log" || true

[[ $failures -eq 0 ]] && echo "package checks passed"
exit $((failures > 0))
