#!/usr/bin/env bash
# Generates the program's icon in every form from converter/desktop/org.example.detron.svg:
# converter/desktop/icons/SIZE.png for the desktop's icon theme and the Linux window, and
# converter/windows/detron.ico for the Windows programs. Both are committed, so the build needs
# neither tool; re-run this after changing the SVG.
# In the .ico, 16, 32 and 48 pixels are stored as 32-bit bitmaps with alpha, which every Windows
# version reads; 128 and 256 pixels as PNG (Windows reads 256 pixels only so) to keep it small.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
svg=$here/converter/desktop/org.example.detron.svg
pngs=$here/converter/desktop/icons
ico=$here/converter/windows/detron.ico
"$here/tools/deps.sh" librsvg2-bin icoutils
sizes=(16 24 32 48 64 128 256)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in "${sizes[@]}"; do
  rsvg-convert --format=png --width=$size --height=$size "$svg" --output="$work/$size.png"
done
icotool --create --output="$work/detron.ico" \
  "$work/16.png" "$work/32.png" "$work/48.png" --raw="$work/128.png" --raw="$work/256.png"
# Refuse to replace a good icon with one that lacks a size.
listing=$(icotool --list "$work/detron.ico")
for size in 16 32 48 128 256; do
  grep -q -- "--width=$size --height=$size --bit-depth=32" <<<"$listing" \
    || { echo "make-icon: the $size pixel image is missing from the icon" >&2; exit 1; }
done
mkdir -p "$pngs"
for size in "${sizes[@]}"; do
  mv "$work/$size.png" "$pngs/$size.png"
done
mv "$work/detron.ico" "$ico"
echo "Wrote $ico and ${sizes[*]} pixel PNGs in $pngs"
