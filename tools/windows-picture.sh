#!/usr/bin/env bash
# Takes a picture of the Windows program as Wine shows it: starts the 64-bit program
# build/windows64/converter/detron.exe (or the one DETRON_EXE names) on the build's display (its
# own Xvfb when there is none), grabs the screen around the centred window, and writes a PNG.
# With a DPI (96, 144, 192: Windows' 100, 150 and 200 %), the prefix's screen is set to it for
# the picture and back to 96 afterwards.
# Usage: tools/windows-picture.sh out.png [LANG for Wine] [DPI]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: tools/windows-picture.sh out.png [locale] [dpi]}
export DETRON_WINE_LANG=${2:-he_IL.UTF-8}
dpi=${3:-96}
exe=${DETRON_EXE:-$here/build/windows64/converter/detron.exe}
desktop='HKCU\Control Panel\Desktop'
if [[ $dpi != 96 ]]; then
  # The registry of the prefix the program runs in, the 32-bit or the 64-bit one.
  export DETRON_WINE_BITS=$("$here/tools/wine-run.sh" --bits "$exe")
  "$here/tools/wine-run.sh" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  trap '"$here/tools/wine-run.sh" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 || true' EXIT
fi
"$here/tools/wine-run.sh" "$exe" &
program=$!
sleep 4  # start-up, filling 12087 list items and the first paint
number=$(cut -d' ' -f1 "$here/build/wine.display" 2>/dev/null || true)
display=${DISPLAY:-:$number}
# The window is centred on the 1280 x 1024 screen the build's Xvfb has; keep a margin around it.
half_width=$((170 * dpi / 96))
half_height=$((192 * dpi / 96))
xwd -root -display "$display" -silent | xwdtopnm 2>/dev/null |
  pnmcut -left $((640 - half_width)) -top $((512 - half_height)) -width $((2 * half_width)) \
    -height $((2 * half_height)) | pnmtopng >"$out"
kill "$program" 2>/dev/null || true
[[ -n "${DISPLAY:-}" ]] || "$here/tools/wine-run.sh" --stop
echo "wrote $out"
