#!/usr/bin/env python3
"""The icon a window shows is the program's: every image of its _NET_WM_ICON (as
`xprop -notype 32c _NET_WM_ICON` prints it) is one of the given PNG images, pixel for pixel,
and there is at least one. Qt's default icon, or a blurred rescaling of ours, fails.
  window_icon_check.py XPROP_OUTPUT PNG..."""
import subprocess
import sys


def read_png(path):
    """Width, height and the RGBA pixels of a PNG, through netpbm's pngtopam."""
    pam = subprocess.run(["pngtopam", "-alphapam", path], check=True, capture_output=True).stdout
    header, pixels = pam.split(b"ENDHDR\n", 1)
    fields = dict(line.split(b" ", 1) for line in header.splitlines()[1:])
    width, height, depth = int(fields[b"WIDTH"]), int(fields[b"HEIGHT"]), int(fields[b"DEPTH"])
    assert depth == 4, f"{path}: not RGBA"
    return width, height, [tuple(pixels[i:i + 4]) for i in range(0, width * height * 4, 4)]


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
    # Transparent pixels carry no colour; the others may be a step or three off from a round
    # trip through premultiplied alpha.
    return (a[3] == 0 and b[3] == 0) or all(abs(x - y) <= (1 if a[3] == 255 else 3) for x, y in zip(a, b))


def main():
    text = open(sys.argv[1]).read()
    if "_NET_WM_ICON" not in text or "=" not in text:
        print(f"FAIL: the window has no _NET_WM_ICON: {text.strip()}")
        return 1
    shown = window_images(text)
    ours = {(w, h): pixels for w, h, pixels in map(read_png, sys.argv[2:])}
    failures = [f"the window shows a {w}x{h} image, which the program's icon does not have"
                for (w, h) in shown if (w, h) not in ours]
    failures += [f"the window's {w}x{h} image is not the program's" for (w, h), pixels in shown.items()
                 if (w, h) in ours and not all(map(same, pixels, ours[(w, h)]))]
    if not shown:
        failures.append("the window's _NET_WM_ICON holds no image")
    for failure in failures:
        print("FAIL: " + failure)
    if not failures:
        print("window icon: the program's own, " + ", ".join(f"{w}x{h}" for w, h in sorted(shown)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
