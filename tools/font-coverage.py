#!/usr/bin/env python3
"""Whether a set of font files draws every character of some texts, as fontconfig sees them.

    font-coverage.py TEXTS FONT_FILE...

TEXTS holds the texts, one a line in UTF-8 (the window's, from window_texts). Each font's
characters come from fc-query; a text drawn with one font of the set falls back to the others
for a character it lacks, so the set draws a character when any of its fonts does. Prints the
fonts that draw every character by themselves, then each character none of them draws, and
exits 1 when there is such a character.
"""
import subprocess
import sys


def charset(font_file):
    """Every code point of every face in the file, from fc-query's ranges ("20-7e a0 ...")."""
    out = subprocess.run(['fc-query', '--format=%{charset}\n', font_file],
                         check=True, capture_output=True, text=True).stdout
    points = set()
    for part in out.split():
        first, _, last = part.partition('-')
        points.update(range(int(first, 16), int(last or first, 16) + 1))
    return points


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding='utf-8') as texts:
        needed = {ord(c) for c in texts.read() if c != '\n'}
    drawn = set()
    for font in sys.argv[2:]:
        points = charset(font)
        drawn |= points
        if needed <= points:
            print(f'draws all {len(needed)} characters: {font}')
    missing = sorted(needed - drawn)
    for point in missing:
        print(f'not drawn: U+{point:04X} {chr(point)}')
    print(f'{len(needed) - len(missing)} of {len(needed)} characters drawn by {len(sys.argv) - 2} font files')
    sys.exit(1 if missing else 0)


if __name__ == '__main__':
    main()
