#!/usr/bin/env bash
# The package is reproducible: built again from a copy of the sources in other folders (sources
# and build both elsewhere, with another umask) and the same time of the last commit, it is the
# same to the byte as the package of this build. On a difference, says which files differ. That
# build's log also shows blhc that every compiler and linker command took Debian's hardening
# flags.
#   reproducible_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The time of the last commit the first build took, given to the second, whose copy of the
# sources is outside git, as Debian's builders give it: when it is configured. The builds
# themselves run without it, as the first did (Qt's resource compiler writes it into the
# program when it is set).
epoch=$(sed -n 's/.*set(ENV{SOURCE_DATE_EPOCH} \([0-9]*\)).*/\1/p' "$build/packaging/cpack-project.cmake")
[[ -n "$epoch" ]] || { echo "FAIL: no SOURCE_DATE_EPOCH in the first build"; exit 1; }
unset SOURCE_DATE_EPOCH
# Built as the first was: a build that checks its contracts makes other programs than one that
# does not.
contracts=$(sed -n 's/^DETRON_CONTRACTS:BOOL=//p' "$build/CMakeCache.txt")
[[ -n "$contracts" ]] || { echo "FAIL: no DETRON_CONTRACTS in the first build"; exit 1; }

(umask 0022 && cpack --config "$build/CPackConfig.cmake" -B "$work/first") >"$work/first.log" 2>&1 ||
  { cat "$work/first.log"; exit 1; }
mkdir -p "$work/elsewhere/detron-sources"
tar -C "$source" --exclude=./build --exclude=./.git -cf - . | tar -C "$work/elsewhere/detron-sources" -xf -
# Its files are as new as a checkout made now, not as old as this one's.
find "$work/elsewhere/detron-sources" -exec touch -h {} +
other=$work/elsewhere/other-build
# Built by someone whose files are group-writable by default, too. CPack gives the parts of the
# .deb the packer's umask, so it runs with 022, as `make package` runs it.
umask 0002
{
  SOURCE_DATE_EPOCH=$epoch cmake -S "$work/elsewhere/detron-sources" -B "$other" -DCMAKE_BUILD_TYPE=Release \
    -DDETRON_WERROR=ON -DDETRON_DEBIAN_BUILD_FLAGS=ON -DDETRON_TESTS=OFF -DDETRON_CONTRACTS="$contracts" &&
  cmake --build "$other" -j 2 --verbose --target detron detron-convert package_docs &&
  (umask 0022 && cpack --config "$other/CPackConfig.cmake" -B "$work/second")
} >"$work/second.log" 2>&1 || { tail -n 40 "$work/second.log"; exit 1; }

# blhc reads build logs from the line dpkg-buildpackage starts them with.
{
  echo "dpkg-buildpackage: info: host architecture $(dpkg --print-architecture)"
  cat "$work/second.log"
} >"$work/blhc.log"
blhc --debian --bindnow "$work/blhc.log" || { echo "FAIL: blhc: commands without the hardening flags"; exit 1; }
echo "blhc: $(grep -c -- '-D_FORTIFY_SOURCE=2' "$work/second.log") compiler and linker commands, all hardened"

first=$(ls "$work"/first/*.deb) second=$(ls "$work"/second/*.deb)
echo "$(basename "$first"): $(sha256sum <"$first" | cut -c1-64)"
echo "$(basename "$second"): $(sha256sum <"$second" | cut -c1-64)"
cmp "$first" "$second" && { echo "the two builds are the same to the byte"; exit 0; }

echo "FAIL: the two builds differ"
for deb in "$first" "$second"; do
  name=$(basename "$(dirname "$deb")")
  ar tv "$deb" >"$work/$name.members"
  dpkg-deb -c "$deb" >"$work/$name.contents"
  mkdir "$work/$name.root" && dpkg-deb -R "$deb" "$work/$name.root"
done
diff "$work/first.members" "$work/second.members" || true
diff "$work/first.contents" "$work/second.contents" || true
diff -r "$work/first.root" "$work/second.root" || true
exit 1
