#!/usr/bin/env bash
# Packs one Windows build for its users: an installer (per user, made with wixl from msitools)
# and a portable .zip of the two programs, into OUT:
#   detron-VERSION-ARCH.msi   detron-VERSION-ARCH.zip      (ARCH: x64 or x86)
#   tools/windows-package.sh BUILD_DIR OUT [VERSION]
# VERSION is the build's, which is the project's (CMakeLists.txt), unless given. With SIGN_CERT
# and SIGN_KEY (a code-signing certificate and its private key, PEM or DER; SIGN_PASS its
# password, SIGN_TIMESTAMP a timestamp server's address) both programs are signed before they go
# into the installer and the .zip, and the installer itself after it is made; without them
# nothing is signed.
# DETRON_MSI_ARCH (x64 or x86) marks the installer for that processor instead of the build's, so
# that a test can meet the other processor's installer of the same version.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: tools/windows-package.sh BUILD_DIR OUT [VERSION]}
out=${2:?usage: tools/windows-package.sh BUILD_DIR OUT [VERSION]}
version=${3:-$(sed -n 's/.*DetronVersion = "\(.*\)";$/\1/p' "$build/generated/detron_version.h")}
[[ -n "$version" ]] || { echo "windows-package.sh: $build/generated/detron_version.h names no version" >&2; exit 1; }
# Windows Installer compares three fields.
while [[ $(tr -cd . <<<"$version" | wc -c) -lt 2 ]]; do version=$version.0; done

case "${DETRON_MSI_ARCH:-$("$here/tools/wine-run.sh" --bits "$build/converter/detron.exe")}" in
  64 | x64) arch=x64 ;;
  *) arch=x86 ;;
esac
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

sign() {
  [[ -n "${SIGN_CERT:-}" && -n "${SIGN_KEY:-}" ]] || return 0
  local options=(-certs "$SIGN_CERT" -key "$SIGN_KEY" -n Detron -h sha256)
  [[ -n "${SIGN_PASS:-}" ]] && options+=(-pass "$SIGN_PASS")
  [[ -n "${SIGN_TIMESTAMP:-}" ]] && options+=(-ts "$SIGN_TIMESTAMP")
  osslsigncode sign "${options[@]}" -in "$1" -out "$1.signed" >/dev/null
  mv "$1.signed" "$1"
}

cp "$build/converter/detron.exe" "$build/cli/detron-convert.exe" "$here/converter/windows/detron.ico" "$stage/"
sign "$stage/detron.exe"
sign "$stage/detron-convert.exe"

name=detron-$version-$arch
(cd "$stage" && wixl -a "$arch" -D Version="$version" -o "$stage/$name.msi" "$here/packaging/windows/detron.wxs")
# wixl writes a database without a code page; the Start-menu entry's Hebrew name needs 1255.
printf '\r\n\r\n1255\t_ForceCodepage\r\n' >"$stage/_ForceCodepage.idt"
msibuild "$stage/$name.msi" -i "$stage/_ForceCodepage.idt"
msibuild "$stage/$name.msi" -q "UPDATE Shortcut SET Name = 'DETRON|דטרון' WHERE Shortcut = 'StartMenuShortcut'"
# The x64 and x86 installers of one version are one product: either replaces the other, as a
# newer version replaces an older one, so that one Detron is installed and listed. wixl's
# MajorUpgrade finds only older versions; the same version is taken in too
# (msidbUpgradeAttributesVersionMaxInclusive, 0x200, beside migrating the features, 1).
# Attributes is part of the row's key, so the row is made anew.
upgrade_code=$(msiinfo export "$stage/$name.msi" Property | tr -d '\r' | awk -F '\t' '$1 == "UpgradeCode" { print $2 }')
upgrade_code=${upgrade_code^^}
msibuild "$stage/$name.msi" -q "DELETE FROM Upgrade WHERE ActionProperty = 'WIX_UPGRADE_DETECTED'"
msibuild "$stage/$name.msi" -q "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) \
  VALUES ('$upgrade_code', '$version', 513, 'WIX_UPGRADE_DETECTED')"
sign "$stage/$name.msi"
mv "$stage/$name.msi" "$out/"

rm -f "$out/$name.zip"
mkdir "$stage/$name"
cp "$stage/detron.exe" "$stage/detron-convert.exe" "$stage/$name/"
(cd "$stage" && zip -q -X -r "$out/$name.zip" "$name")
echo "$out/$name.msi"
echo "$out/$name.zip"
