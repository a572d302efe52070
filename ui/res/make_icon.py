#!/usr/bin/env python3
"""Draws Scrapvault's program icon and writes it as scrapvault.ico beside this script.

The picture: a vault-blue clipboard with a steel clip, a sheet of text on it and
a brass combination dial in the lower right corner. One image, 32 x 32 pixels,
16 colours (4 bits per pixel) with a transparency mask, which is what the window
class and the About box ask for. Standard library only; every run writes the
same bytes.

    python3 ui/res/make_icon.py [output.ico]
"""

import pathlib
import struct
import sys

SIZE = 32

# The standard 16-colour palette, in its usual order, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
(BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
 GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE) = range(16)

TRANSPARENT = None


class Canvas:
    """A square of palette indices; TRANSPARENT where the desktop shows through."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[TRANSPARENT] * size for _ in range(size)]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills the rectangle with both corners included."""
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                self.put(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        for x in range(left, right + 1):
            self.put(x, top, colour)
            self.put(x, bottom, colour)
        for y in range(top, bottom + 1):
            self.put(left, y, colour)
            self.put(right, y, colour)

    def hline(self, left, right, y, colour):
        self.fill(left, y, right, y, colour)

    def vline(self, x, top, bottom, colour):
        self.fill(x, top, x, bottom, colour)

    def disc(self, cx, cy, radius, colour):
        """Every pixel whose centre lies within radius of (cx, cy)."""
        for y in range(self.size):
            for x in range(self.size):
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2:
                    self.put(x, y, colour)


def draw():
    c = Canvas(SIZE)

    # The board, with bevelled edges and rounded corners.
    c.fill(3, 3, 28, 31, BLUE)
    c.frame(3, 3, 28, 31, BLACK)
    c.vline(4, 4, 30, AQUA)
    c.hline(4, 27, 4, AQUA)
    c.vline(27, 5, 30, NAVY)
    c.hline(5, 27, 30, NAVY)
    for x, y in ((3, 3), (28, 3), (3, 31), (28, 31)):
        c.put(x, y, TRANSPARENT)

    # The sheet and its shadow.
    c.fill(7, 8, 25, 29, NAVY)
    c.fill(6, 7, 24, 28, WHITE)
    c.frame(6, 7, 24, 28, GRAY)

    # Lines of text; the last ones stop short of the dial.
    for y, right in ((12, 22), (15, 20), (18, 22), (21, 15), (24, 13)):
        c.hline(8, right, y, NAVY)

    # The clip: a ring with a hole above a clamp that grips the sheet.
    c.fill(13, 0, 18, 3, SILVER)
    c.frame(13, 0, 18, 3, BLACK)
    c.put(13, 0, TRANSPARENT)
    c.put(18, 0, TRANSPARENT)
    c.fill(15, 1, 16, 1, TRANSPARENT)
    c.put(15, 2, BLACK)
    c.put(16, 2, BLACK)
    c.fill(9, 3, 22, 9, SILVER)
    c.frame(9, 3, 22, 9, BLACK)
    c.hline(10, 21, 4, WHITE)
    c.hline(10, 21, 8, GRAY)
    c.vline(21, 5, 8, GRAY)
    c.put(9, 3, TRANSPARENT)
    c.put(22, 3, TRANSPARENT)

    # The dial: a brass ring with notches and a knob in the middle.
    cx, cy = 21, 23
    c.disc(cx, cy, 5.6, BLACK)
    c.disc(cx, cy, 4.6, YELLOW)
    for x, y in ((cx, cy - 4), (cx + 4, cy), (cx, cy + 4), (cx - 4, cy)):
        c.put(x, y, BLACK)
    c.disc(cx, cy, 2.3, OLIVE)
    c.disc(cx - 0.5, cy - 0.5, 1.0, WHITE)
    return c


def icon_bytes(canvas):
    size = canvas.size
    rows = list(reversed(canvas.pixels))  # device-independent bitmaps are stored bottom-up

    colours = bytearray()
    for row in rows:
        indices = [BLACK if p is TRANSPARENT else p for p in row]
        for left, right in zip(indices[0::2], indices[1::2]):
            colours.append(left << 4 | right)

    mask_stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in rows:
        line = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p is TRANSPARENT:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line

    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    # The height counts the colour image and the mask together.
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    image = header + palette + bytes(colours) + bytes(mask)

    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image),
                        len(directory) + 16)
    return directory + entry + image


def main():
    default = pathlib.Path(__file__).with_name("scrapvault.ico")
    target = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    target.write_bytes(icon_bytes(draw()))


if __name__ == "__main__":
    main()
