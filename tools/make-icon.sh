#!/usr/bin/env bash
# Generates converter/windows/detron.ico from converter/desktop/org.example.detron.svg.
# The .ico is committed, so the build needs neither tool; re-run this after changing the SVG.
# 16, 32 and 48 pixels are stored as 32-bit bitmaps with alpha, which every Windows version
# reads; 128 pixels is stored as PNG to keep the file small.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
svg=$here/converter/desktop/org.example.detron.svg
ico=$here/converter/windows/detron.ico
"$here/tools/deps.sh" librsvg2-bin icoutils
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in 16 32 48 128; do
  rsvg-convert --format=png --width=$size --height=$size "$svg" --output="$work/$size.png"
done
icotool --create --output="$work/detron.ico" \
  "$work/16.png" "$work/32.png" "$work/48.png" --raw="$work/128.png"
# Refuse to replace a good icon with one that lacks a size.
listing=$(icotool --list "$work/detron.ico")
for size in 16 32 48 128; do
  grep -q -- "--width=$size --height=$size --bit-depth=32" <<<"$listing" \
    || { echo "make-icon: the $size pixel image is missing from the icon" >&2; exit 1; }
done
mv "$work/detron.ico" "$ico"
echo "Wrote $ico"
