#!/usr/bin/env python3
"""Draws the program's icon, a film reel with a red bookmark ribbon, and writes it as one
.ico with the three images the program carries: 32x32 in 2 colours, 32x32 in 16 colours
and 16x16 in 16 colours. Standard library only; run it again after changing the picture:

    python3 tools/make-icon.py res/reelmark.ico
"""
import math
import struct
import sys

# The picture, in a 32 x 32 design grid: which part of the drawing a point belongs to.
REEL_CENTRE = (13.5, 17.5)
REEL_RADIUS = 12.5
HOLE_DISTANCE = 6.6
HOLE_RADIUS = 2.9
HUB_RADIUS = 1.8
RIBBON_LEFT, RIBBON_RIGHT, RIBBON_BOTTOM = 21.0, 29.0, 21.0  # the ribbon hangs from the top


def part_at(x, y, small=False):
    """The part of the picture at design point (x, y): None where the icon is clear. The
    small image leaves out the fine rings, which would only blur at 16 pixels."""
    # The bookmark ribbon lies over the reel: a strip with a V notch at its foot.
    if RIBBON_LEFT <= x < RIBBON_RIGHT and y >= 0:
        mid = (RIBBON_LEFT + RIBBON_RIGHT) / 2
        notch_top = RIBBON_BOTTOM - 4.0 + abs(x - mid) * (4.0 / ((RIBBON_RIGHT - RIBBON_LEFT) / 2))
        if y < notch_top:
            edge = x < RIBBON_LEFT + 1 or x >= RIBBON_RIGHT - 1 or y >= notch_top - 1.2
            return "ribbon_edge" if edge else "ribbon"
    dx, dy = x - REEL_CENTRE[0], y - REEL_CENTRE[1]
    r = math.hypot(dx, dy)
    if r > REEL_RADIUS:
        return None
    if r > REEL_RADIUS - (2.0 if small else 1.2):
        return "outline"
    if r < HUB_RADIUS:
        return "hub"
    for k in range(5):
        a = -math.pi / 2 + k * 2 * math.pi / 5
        hx, hy = HOLE_DISTANCE * math.cos(a), HOLE_DISTANCE * math.sin(a)
        hr = math.hypot(dx - hx, dy - hy)
        if hr < HOLE_RADIUS:
            return "hole"
        if hr < HOLE_RADIUS + 0.9 and not small:
            return "outline"
    # A lighter rim on the upper left gives the reel some depth.
    if r > REEL_RADIUS - 3.0 and dx + dy < -4 and not small:
        return "rim"
    return "reel"


# The 16-colour palette of the system, as (red, green, blue).
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
MONO = [(0, 0, 0), (255, 255, 255)]

# Part -> palette index; a part missing here is clear (the screen shows through).
COLOURS_16 = {"outline": 0, "reel": 8, "rim": 7, "hub": 15, "ribbon": 9, "ribbon_edge": 1}
COLOURS_2 = {"outline": 0, "reel": 0, "rim": 0, "hub": 1, "ribbon": 1, "ribbon_edge": 0}


def render(size, colours):
    """Rows top to bottom of (palette index, clear) per pixel, sampled at pixel centres."""
    scale = 32.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            part = part_at((px + 0.5) * scale, (py + 0.5) * scale, small=size < 32)
            row.append((colours[part], False) if part in colours else (0, True))
        rows.append(row)
    return rows


def pack_rows(rows, bits):
    """Bottom-up rows of `bits`-per-pixel values, each row padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        acc, n, line = 0, 0, bytearray()
        for v in row:
            acc = (acc << bits) | v
            n += bits
            if n == 8:
                line.append(acc)
                acc, n = 0, 0
        if n:
            line.append(acc << (8 - n))
        while len(line) % 4:
            line.append(0)
        out += line
    return bytes(out)


def icon_image(size, bits, palette, colours):
    pixels = render(size, colours)
    xor = pack_rows([[v for v, _ in row] for row in pixels], bits)
    mask = pack_rows([[1 if clear else 0 for _, clear in row] for row in pixels], 1)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask), 0, 0, 0, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + table + xor + mask


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-icon.py OUTPUT.ico")
    images = [
        (32, len(MONO), icon_image(32, 1, MONO, COLOURS_2), 1),
        (32, len(VGA), icon_image(32, 4, VGA, COLOURS_16), 4),
        (16, len(VGA), icon_image(16, 4, VGA, COLOURS_16), 4),
    ]
    data = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, count, image, bits in images:
        data += struct.pack("<BBBBHHII", size, size, count, 0, 1, bits, len(image), offset)
        offset += len(image)
    for _, _, image, _ in images:
        data += image
    with open(sys.argv[1], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
