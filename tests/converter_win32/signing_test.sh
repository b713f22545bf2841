#!/usr/bin/env bash
# Packing one Windows build with a code-signing certificate signs both programs, inside the
# installer and in the .zip, and the installer itself; `osslsigncode verify` accepts each against
# the certificate. The certificate is a throwaway one made here. Without one nothing is signed.
#   signing_test.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:?usage: signing_test.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Detron test signer" \
  -addext "keyUsage=digitalSignature" -addext "extendedKeyUsage=codeSigning" \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null

verify() {
  osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1 ||
    fail "$(basename "$1") is not signed: $(tail -n 3 "$work/verify.log")"
}

SIGN_CERT=$work/cert.pem SIGN_KEY=$work/key.pem "$here/tools/windows-package.sh" "$build" "$work/signed" >/dev/null
msi=$(ls "$work"/signed/*.msi)
verify "$msi"
mkdir "$work/from-msi" "$work/from-zip"
(cd "$work/from-msi" && msiextract "$msi" >/dev/null)
(cd "$work/from-zip" && unzip -q "$work"/signed/*.zip)
for program in detron.exe detron-convert.exe; do
  for copy in "$work"/from-msi/Programs/Detron/"$program" "$work"/from-zip/*/"$program"; do
    [[ -f "$copy" ]] || fail "$program missing from a package"
    verify "$copy"
  done
done

"$here/tools/windows-package.sh" "$build" "$work/unsigned" >/dev/null
for file in "$work"/unsigned/*.msi; do
  ! osslsigncode verify -in "$file" >/dev/null 2>&1 || fail "signed without a certificate"
done
echo "signed and verified: $(basename "$msi") and both programs in it and in the .zip"
