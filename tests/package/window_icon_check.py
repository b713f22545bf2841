#!/usr/bin/env python3
"""The icon a window shows is the program's: every image of its _NET_WM_ICON (as
`xprop -notype 32c _NET_WM_ICON` prints it) is one of the given PNG images, pixel for pixel,
and there is at least one. Qt's default icon, or a blurred rescaling of ours, fails.
  window_icon_check.py XPROP_OUTPUT PNG..."""
import struct
import sys
import zlib


def read_png(path):
    """Width, height and the RGBA pixels of an 8-bit RGBA or RGB PNG, not interlaced."""
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour in (2, 6) and interlace == 0, f"{path}: unexpected PNG kind"
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    channels = 4 if colour == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - channels] if x >= channels else 0
            up = previous[x]
            corner = previous[x - channels] if x >= channels else 0
            if kind == 1:
                line[x] = (line[x] + left) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + up) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[x] = (line[x] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 0xFF
        rows.append(bytes(line))
        previous = line
    pixels = []
    for line in rows:
        for x in range(width):
            px = line[x * channels:(x + 1) * channels]
            pixels.append(tuple(px) if channels == 4 else tuple(px) + (255,))
    return width, height, pixels


def window_images(text):
    """The images of a _NET_WM_ICON: width, height, then width x height ARGB cardinals."""
    numbers = [int(n) for n in text.split("=", 1)[1].replace(",", " ").split()]
    images = {}
    while len(numbers) >= 2:
        width, height = numbers[0], numbers[1]
        argb = numbers[2:2 + width * height]
        images[(width, height)] = [((v >> 16) & 255, (v >> 8) & 255, v & 255, v >> 24) for v in argb]
        numbers = numbers[2 + width * height:]
    return images


def same(a, b):
    # Transparent pixels carry no colour; semi-transparent ones may be one step off from a
    # round trip through premultiplied alpha.
    if a[3] == 0 and b[3] == 0:
        return True
    return all(abs(x - y) <= 1 for x, y in zip(a, b)) if a[3] == 255 else all(abs(x - y) <= 3 for x, y in zip(a, b))


def main():
    text = open(sys.argv[1]).read()
    if "_NET_WM_ICON" not in text or "=" not in text:
        print(f"FAIL: the window has no _NET_WM_ICON: {text.strip()}")
        return 1
    shown = window_images(text)
    ours = {}
    for path in sys.argv[2:]:
        width, height, pixels = read_png(path)
        ours[(width, height)] = pixels
    failures = 0
    for size, pixels in sorted(shown.items()):
        if size not in ours:
            print(f"FAIL: the window shows a {size[0]}x{size[1]} image, which the program's icon does not have")
            failures += 1
        elif not all(same(a, b) for a, b in zip(pixels, ours[size])):
            print(f"FAIL: the window's {size[0]}x{size[1]} image is not the program's")
            failures += 1
    if not shown:
        print("FAIL: the window's _NET_WM_ICON holds no image")
        failures += 1
    if failures == 0:
        print("window icon: the program's own, " + ", ".join(f"{w}x{h}" for w, h in sorted(shown)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
