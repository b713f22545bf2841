#!/usr/bin/env bash
# A second Debian revision of the same version, configured as a maintainer would
# (-DDETRON_DEBIAN_RELEASE=2), is that revision everywhere the package names it; a revision
# that is no whole number, or one given to CPack alone (which the change log made when the
# build was configured would contradict), is refused with a message and makes no package.
#   revision_test.sh BUILD_DIR SOURCE_DIR PROJECT_VERSION
set -euo pipefail
build=$1 source=$2 project_version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The Debian release the build is for, as the package's version carries it.
suffix=$(. /etc/os-release && [[ "$ID" == debian && "${VERSION_ID:-}" =~ ^[0-9]+$ ]] && echo "~deb${VERSION_ID}u1" || true)

if cpack --config "$build/CPackConfig.cmake" -B "$work/refused" -D CPACK_DEBIAN_PACKAGE_RELEASE=2 >"$work/refused.log" 2>&1 ||
   compgen -G "$work/refused/*.deb" >/dev/null; then
  fail "cpack -D CPACK_DEBIAN_PACKAGE_RELEASE=2 made a package whose change log names another revision"
fi
grep -q -- "-DDETRON_DEBIAN_RELEASE" "$work/refused.log" || { cat "$work/refused.log"; fail "cpack's refusal does not say how"; }

configure() {
  cmake -S "$source" -B "$1" -DCMAKE_BUILD_TYPE=Release -DDETRON_TESTS=OFF -DDETRON_DEBIAN_RELEASE="$2"
}
if configure "$work/bad" 1a >"$work/bad.log" 2>&1; then
  fail "-DDETRON_DEBIAN_RELEASE=1a was taken"
fi
grep -q "DETRON_DEBIAN_RELEASE is \"1a\"" "$work/bad.log" || { cat "$work/bad.log"; fail "no message for DETRON_DEBIAN_RELEASE=1a"; }

version=$project_version-2$suffix
{
  configure "$work/second" 2 &&
  cmake --build "$work/second" -j 2 --target detron detron-convert package_docs &&
  (umask 0022 && cpack --config "$work/second/CPackConfig.cmake" -B "$work/out")
} >"$work/second.log" 2>&1 || { tail -n 40 "$work/second.log"; exit 1; }
deb=$work/out/detron_${version}_$(dpkg --print-architecture).deb
[[ -f "$deb" ]] || { ls "$work/out"; echo "FAIL: no package named for $version"; exit 1; }
[[ "$(dpkg-deb -f "$deb" Version)" == "$version" ]] || fail "Version: $(dpkg-deb -f "$deb" Version), not $version"
dpkg-deb -x "$deb" "$work/root"
entry=$(zcat "$work/root/usr/share/doc/detron/changelog.Debian.gz" | head -n 1)
[[ "$entry" == "detron ($version) "* ]] || fail "changelog.Debian begins \"$entry\", not with $version"
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
grep -E '^[EW]: ' "$work/lintian.log" && fail "lintian on $version"
[[ $failures -eq 0 ]] && echo "revision 2: $(basename "$deb"), named so in its control file and change log; bad revisions refused"
exit $((failures > 0))
