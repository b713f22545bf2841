#!/usr/bin/env python3
"""Seeds each fuzz target's corpus with the texts of the test suites: the dates, numerals, month
names, argument vectors and byte strings the tests already hold, in each target's input layout.
Run from the repository's top folder; files are named by their SHA-1, as libFuzzer names them."""

import hashlib
import pathlib
import re
import struct

LITERAL = r'"(?:[^"\\\n]|\\.)*"'


def decode(literal):
    """The bytes of a C++ string literal (without its quotes)."""
    out = bytearray()
    raw = literal.encode()
    i = 0
    simple = {ord('n'): b'\n', ord('r'): b'\r', ord('t'): b'\t', ord('0'): b'\0', ord('\\'): b'\\',
              ord('"'): b'"', ord("'"): b"'"}
    while i < len(raw):
        if raw[i] == ord('\\') and i + 1 < len(raw):
            c = raw[i + 1]
            if c == ord('x'):
                j = i + 2
                while j < len(raw) and chr(raw[j]) in '0123456789abcdefABCDEF':
                    j += 1
                out.append(int(raw[i + 2:j], 16) & 0xFF)
                i = j
                continue
            out += simple.get(c, bytes([c]))
            i += 2
            continue
        out.append(raw[i])
        i += 1
    return bytes(out)


def literals(*paths):
    found = []
    for path in paths:
        for match in re.finditer(LITERAL, pathlib.Path(path).read_text()):
            text = decode(match.group(0)[1:-1])
            if text and not text.startswith(b'#') and len(text) < 200:
                found.append(text)
    return sorted(set(found))


def write(target, inputs):
    folder = pathlib.Path('fuzz/corpus') / target
    folder.mkdir(parents=True, exist_ok=True)
    for data in sorted(set(inputs)):
        (folder / hashlib.sha1(data).hexdigest()).write_bytes(data)
    print(f'{target}: {len(set(inputs))} seeds')


dates = literals('tests/cli/date_input_test.cpp', 'tests/cli/conversions_test.cpp')
# Window calendar; Gregorian with --carry; the window's calendar changed in 1752 with --carry.
# Made dates: 15 Kislev 5784 in Latin words, 15 Kislev 5784 in Hebrew letters, a civil 15 March.
made = [b'\x20\x0f\x02\x98\x16', b'\x20\x0f\x62\x98\x16', b'\x20\x0f\x82\x98\x16']
write('date_reader', [bytes([settings]) + text for text in dates for settings in (0x00, 0x11, 0x13)] + made)

words = literals('tests/hebrew_text/reading_test.cpp', 'tests/hebrew_text/numerals_test.cpp',
                 'tests/hebrew_text/month_names_test.cpp')
write('hebrew_words', [bytes([choice]) + text for text in words for choice in (0, 1, 2)])

vectors = []
for path in ('tests/cli/run_test.cpp', 'tests/cli/program_test.cpp'):
    source = pathlib.Path(path).read_text()
    for match in re.finditer(r'\{\s*(' + LITERAL + r'(?:\s*,\s*' + LITERAL + r')*)\s*\}', source):
        arguments = [decode(m.group(0)[1:-1]) for m in re.finditer(LITERAL, match.group(1))]
        if any(a.startswith(b'-') for a in arguments) or len(arguments) > 1:
            vectors.append(b'\0'.join(arguments))
write('options', [b'\0' + v for v in vectors] + [b'\0' + v + b'\0\0' + b'2024-04-23\n15 Nisan 5784\n'
                                                    for v in vectors[:20]])

write('text_codecs', literals('tests/hebrew_text/utf8_test.cpp', 'tests/hebrew_text/encoding_test.cpp',
                              'tests/hebrew_text/reading_test.cpp'))

# The engine's edges (the target's Edges, by index) and plain days, each with a change of
# calendar on the window's day and on one chosen near 1 March 200.
days = []
for edge in range(8):
    for offset in (-400, -1, 0, 1, 400):
        days.append((edge | (offset + 400) << 8) << 1 | 1)
for plain in (-383, 0, 1000000, 2112427, 2191000):
    days.append((plain + 783) << 1)  # counted from 400 days before the first supported day
write('engine_days', [struct.pack('<QQ', d, s) for d in days for s in ((2 | 400 << 8) << 1 | 1, 7 << 1 | 1)])
