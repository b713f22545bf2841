#!/usr/bin/env bash
# Generates the locales the Wine test runs use: Wine takes its ANSI code page from LANG, and
# falls back to 1252 for a locale that is not generated, so he_IL.UTF-8 must exist to get 1255.
# Does nothing when they are all there already.
set -euo pipefail
wanted=(he_IL.UTF-8 en_US.UTF-8)
here=$(cd "$(dirname "$0")" && pwd)
# locale -a spells them in lower case without the dash: he_IL.utf8.
have() { locale -a 2>/dev/null | grep -qix "${1%%.*}.utf8"; }
missing=()
for name in "${wanted[@]}"; do have "$name" || missing+=("$name"); done
[[ ${#missing[@]} -eq 0 ]] && exit 0
"$here/deps.sh" locales
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Need root (or sudo) to generate: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
echo "Generating locales: ${missing[*]}"
for name in "${missing[@]}"; do
  line="$name UTF-8"
  if grep -qE "^[#[:space:]]*${line}\$" /etc/locale.gen; then
    "${as_root[@]}" sed -i -E "s/^[#[:space:]]*${line}\$/${line}/" /etc/locale.gen
  else
    echo "$line" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  fi
done
"${as_root[@]}" locale-gen
for name in "${missing[@]}"; do
  have "$name" || { echo "locales: $name is still missing after locale-gen" >&2; exit 1; }
done
