#!/usr/bin/env bash
# Takes a picture of the Windows program as Wine shows it: starts the 64-bit program
# build/windows64/converter/detron.exe (or the one DETRON_EXE names) on the build's display (its
# own Xvfb when there is none), grabs the screen around the centred window, and writes a PNG.
# Usage: tools/windows-picture.sh out.png [LANG for Wine]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: tools/windows-picture.sh out.png [locale]}
export DETRON_WINE_LANG=${2:-he_IL.UTF-8}
"$here/tools/wine-run.sh" "${DETRON_EXE:-$here/build/windows64/converter/detron.exe}" &
program=$!
sleep 4  # start-up, filling 12087 list items and the first paint
number=$(cut -d' ' -f1 "$here/build/wine.display" 2>/dev/null || true)
display=${DISPLAY:-:$number}
# The window is centred on the 1280 x 1024 screen the build's Xvfb has; keep a margin around it.
xwd -root -display "$display" -silent | xwdtopnm 2>/dev/null | pnmcut -left 470 -top 320 -width 340 -height 384 |
  pnmtopng >"$out"
kill "$program" 2>/dev/null || true
[[ -n "${DISPLAY:-}" ]] || "$here/tools/wine-run.sh" --stop
echo "wrote $out"
