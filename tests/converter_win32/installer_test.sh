#!/usr/bin/env bash
# The installer of one Windows build, as a user meets it under Wine in the suite's own prefix:
# installed silently, its programs, Start-menu entry and uninstall entry in place, the installed
# program's window seen; a newer version installed over it in place, and (on 64-bit Windows) the
# other processor's installer of that same version over that, still one entry; then removed
# silently with nothing left in its folder or in the registry keys it wrote. An installer made
# with the build's own version says the project's version.
#   installer_test.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:?usage: installer_test.sh BUILD_DIR}
run=$here/tools/wine-run.sh
export DETRON_WINE_BITS
DETRON_WINE_BITS=$("$run" --bits "$build/converter/detron.exe")
work=$(mktemp -d)
fail() { echo "FAIL: $*" >&2; exit 1; }

# Windows texts end their lines with CR.
win() { "$run" "$@" 2>/dev/null | tr -d '\r'; }
value() { win reg query "$1" /v "$2" | awk -v name="$2" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }
# The uninstall entries named Detron, wherever this Windows keeps them: a 32-bit installer's
# in the 32-bit view of the registry on 64-bit Windows.
entries() {
  for software in 'HKCU\Software' 'HKLM\Software' 'HKCU\Software\Wow6432Node' 'HKLM\Software\Wow6432Node'; do
    win reg query "$software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s |
      awk '/^HKEY/ { key = $0 } /DisplayName +REG_SZ +Detron$/ { print key }' || true
  done
}
msi() { win winepath -w "$1"; }

# The project's version, as Windows Installer reads it: three fields.
project=$(sed -n 's/.*DetronVersion = "\(.*\)";$/\1/p' "$build/generated/detron_version.h")
while [[ $(tr -cd . <<<"$project" | wc -c) -lt 2 ]]; do project=$project.0; done
own=$("$here/tools/windows-package.sh" "$build" "$work/own" | grep '\.msi$')
[[ "$(basename "$own")" == "detron-$project-"*.msi ]] || fail "the installer is named $(basename "$own"), not for $project"
own_version=$(msiinfo export "$own" Property | tr -d '\r' | awk -F '\t' '$1 == "ProductVersion" { print $2 }')
[[ "$own_version" == "$project" ]] || fail "the installer says ProductVersion $own_version, not $project"

old=$("$here/tools/windows-package.sh" "$build" "$work/old" 1.0.0 | grep '\.msi$')
new=$("$here/tools/windows-package.sh" "$build" "$work/new" 1.0.1 | grep '\.msi$')
[[ -z "$(entries)" ]] || fail "Detron is installed in the prefix before the test"
cleanup() {
  for package in ${other:+"$other"} "$new" "$old"; do win msiexec /x "$(msi "$package")" /qn || true; done
  [[ -n "${program:-}" ]] && kill "$program" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

win msiexec /i "$(msi "$old")" /qn || fail "msiexec /i ended with $?"
folder_win=$(value 'HKCU\Software\Detron' InstallDir)
[[ -n "$folder_win" ]] || fail "no install folder recorded"
folder=$(win winepath -u "$folder_win")
[[ "$folder" == */AppData/Local/Programs/Detron/ ]] || fail "installed into $folder, not the user's own programs"
[[ -f "$folder/detron.exe" && -f "$folder/detron-convert.exe" ]] || fail "programs missing in $folder"
cmp -s "$folder/detron.exe" "$build/converter/detron.exe" || fail "the installed program is not the build's"
start_menu=$(win winepath -u "$(win cmd /c echo '%APPDATA%')\\Microsoft\\Windows\\Start Menu\\Programs")
shortcut="$start_menu/דטרון.lnk"
[[ -f "$shortcut" ]] || fail "no Start-menu entry named דטרון in $start_menu"
mapfile -t installed < <(entries)
[[ ${#installed[@]} -eq 1 ]] || fail "${#installed[@]} uninstall entries"
[[ "$(value "${installed[0]}" DisplayVersion)" == 1.0.0 ]] || fail "uninstall entry without the version"
product=${installed[0]##*\\}
packed=$(win reg query 'HKCU\Software\Microsoft\Installer\Products' | grep -i -o '[0-9A-F]\{32\}$' | head -n 1 || true)
icon=$(value "HKCU\\Software\\Microsoft\\Installer\\Products\\$packed" ProductIcon)
[[ -n "$icon" && -f "$(win winepath -u "$icon")" ]] || fail "uninstall entry without its icon"

# The installed program starts and shows its window.
"$run" "$folder_win\\detron.exe" &
program=$!
timeout 60 xdotool search --sync --onlyvisible --class detron.exe >/dev/null || fail "no window of the installed program"
kill "$program"
wait "$program" 2>/dev/null || true
program=

# A newer version replaces it in place.
win msiexec /i "$(msi "$new")" /qn || fail "the upgrade ended with $?"
mapfile -t installed < <(entries)
[[ ${#installed[@]} -eq 1 ]] || fail "${#installed[@]} uninstall entries after the upgrade"
[[ "$(value "${installed[0]}" DisplayVersion)" == 1.0.1 ]] || fail "the upgrade did not take the new version"
[[ "${installed[0]##*\\}" != "$product" ]] || fail "the old product is still registered"
[[ -f "$folder/detron.exe" && -f "$shortcut" ]] || fail "the upgrade lost the program or its entry"

# The other processor's installer of the same version replaces this one: one entry still.
if [[ $DETRON_WINE_BITS == 64 ]]; then
  other_arch=$([[ "$new" == *-x64.msi ]] && echo x86 || echo x64)
  other=$(DETRON_MSI_ARCH=$other_arch "$here/tools/windows-package.sh" "$build" "$work/other" 1.0.1 | grep '\.msi$')
  win msiexec /i "$(msi "$other")" /qn || fail "the $other_arch installer of 1.0.1 over the other ended with $?"
  mapfile -t installed < <(entries)
  [[ ${#installed[@]} -eq 1 ]] || fail "${#installed[@]} uninstall entries after the $other_arch installer of the same version"
  [[ "$(value "${installed[0]}" DisplayVersion)" == 1.0.1 ]] || fail "the $other_arch installer did not keep 1.0.1"
  [[ -f "$folder/detron.exe" && -f "$shortcut" ]] || fail "the $other_arch installer lost the program or its entry"
  new=$other
fi

win msiexec /x "$(msi "$new")" /qn || fail "msiexec /x ended with $?"
[[ ! -e "$folder" ]] || fail "left behind: $(ls -A "$folder")"
[[ ! -e "$shortcut" ]] || fail "the Start-menu entry was left behind"
[[ -z "$(entries)" ]] || fail "the uninstall entry was left behind"
win reg query 'HKCU\Software\Detron' >/dev/null && fail "HKCU\\Software\\Detron was left behind"
[[ ! -e "$(win winepath -u "$icon")" ]] || fail "the uninstall entry's icon was left behind"
echo "installed, started, upgraded and removed: $(basename "$old"), $(basename "$new")"
