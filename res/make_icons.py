#!/usr/bin/env python3
"""Draws the program's icon, a page cut in two along a dashed line, and writes it as
Tosvik.ico: 32x32 and 16x16, each in 256 colours and in monochrome.

Both icon groups of the resource script use this one file. Run it again after
changing the picture: python3 res/make_icons.py
"""
import os
import struct

# Palette of the picture; index 0 is transparent (the mask decides, the colour is 0).
COLOURS = {
    'clear': (0, 0, 0),
    'ink': (0, 0, 0),
    'paper': (255, 255, 255),
    'fold': (192, 192, 192),
    'lines': (0, 0, 160),
    'cut': (208, 0, 0),
}
NAMES = list(COLOURS)
# In monochrome only the paper stays white; everything drawn dark becomes black.
MONO_WHITE = {'paper', 'fold'}


# Per size, hand-fitted so that the small image stays readable: page left, right, top,
# bottom; last row of the upper half, first row of the lower half; how far the halves
# move apart sideways; size of the folded corner; spacing of the text lines; dash length.
LAYOUT = {
    32: (6, 23, 2, 29, 14, 17, 2, 6, 3, 3),
    16: (3, 11, 1, 14, 6, 8, 2, 2, 2, 2),
}


def draw(size):
    """Returns rows (top first) of colour names for an icon of size x size pixels."""
    px = [['clear'] * size for _ in range(size)]

    def put(x, y, name):
        if 0 <= x < size and 0 <= y < size:
            px[y][x] = name

    # Both halves of the page: the upper one moved up-left, the lower one down-right,
    # with a gap between them where the cut runs.
    left, right, top, bottom, gap_top, gap_bottom, shift, fold, step, dash = LAYOUT[size]
    for half, (y0, y1, dx) in enumerate(((top, gap_top, -shift // 2),
                                         (gap_bottom, bottom, shift - shift // 2))):
        x0, x1 = left + dx, right + dx
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                # The folded corner cuts the top right of the upper half.
                if half == 0 and (x - (x1 - fold)) > (y - y0):
                    continue
                edge = x in (x0, x1) or (half == 0 and y == y0) or \
                    (half == 1 and y == y1) or \
                    (half == 0 and x - (x1 - fold) == y - y0)
                put(x, y, 'ink' if edge else 'paper')
        if half == 0:
            for i in range(fold + 1):
                for j in range(i, fold + 1):
                    put(x1 - fold + i, y0 + j, 'fold' if j > i else 'ink')
            for i in range(fold + 1):
                put(x1 - fold, y0 + i, 'ink')
                put(x1 - fold + i, y0 + fold, 'ink')
        # Text lines inside each half.
        first = y0 + (fold + 2 if half == 0 else 2)
        for y in range(first, y1 if half == 0 else y1 - 1, step):
            for x in range(x0 + step - 1, x1 - step + 2):
                put(x, y, 'lines')
    # The cut: a dashed line straight across the gap, wider than the page.
    y = (gap_top + gap_bottom) // 2
    for x in range(1, size - 1):
        if (x // dash) % 2 == 0:
            put(x, y, 'cut')
    return px


def row_bytes(bits_per_pixel, width):
    return ((width * bits_per_pixel + 31) // 32) * 4


def pack_bits(values, bits_per_pixel, width):
    out = bytearray(row_bytes(bits_per_pixel, width))
    per_byte = 8 // bits_per_pixel
    for i, v in enumerate(values):
        shift = 8 - bits_per_pixel * (i % per_byte + 1)
        out[i // per_byte] |= v << shift
    return bytes(out)


def image(px, bits_per_pixel):
    """One icon image: BITMAPINFOHEADER, palette, colour bits, mask (bottom-up)."""
    size = len(px)
    if bits_per_pixel == 8:
        palette = [COLOURS[n] for n in NAMES] + [(0, 0, 0)] * (256 - len(NAMES))
        index = {n: i for i, n in enumerate(NAMES)}
        colour_of = lambda n: 0 if n == 'clear' else index[n]
    else:
        palette = [(0, 0, 0), (255, 255, 255)]
        colour_of = lambda n: 1 if n in MONO_WHITE else 0
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits_per_pixel, 0,
                         0, 0, 0, len(palette), 0)
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
    rows = list(reversed(px))
    xor = b''.join(pack_bits([colour_of(n) for n in row], bits_per_pixel, size)
                   for row in rows)
    mask = b''.join(pack_bits([1 if n == 'clear' else 0 for n in row], 1, size)
                    for row in rows)
    return header + pal + xor + mask


def icon_file(images):
    """images: list of (size, bits_per_pixel, data) -> bytes of an .ico file."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bpp, data in images:
        colours = 0 if bpp == 8 else 1 << bpp
        out += struct.pack('<BBBBHHII', size, size, colours, 0, 1, bpp, len(data), offset)
        offset += len(data)
    return out + b''.join(data for _, _, data in images)


def main():
    images = []
    for size in (32, 16):
        px = draw(size)
        for bpp in (1, 8):
            images.append((size, bpp, image(px, bpp)))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'Tosvik.ico')
    with open(path, 'wb') as f:
        f.write(icon_file(images))


if __name__ == '__main__':
    main()
