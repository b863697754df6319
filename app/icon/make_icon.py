#!/usr/bin/env python3
"""Draws the application icon and writes it as a Windows .ico file.

The icon is a folder above a network cable with a hub: a shared folder on the
network. It holds eight images: 32 and 16 px at 4 bits per pixel (the
standard 16-colour palette), and 48, 32 and 16 px at 8 and at 32 bits per
pixel (32 bits with an alpha channel and a soft shadow).

Every shape sits on whole pixels at every size, so the design stays crisp at
16 px. Standard library only; the output is the same byte for byte on every
run.

    make_icon.py OUTPUT.ico
"""

import struct
import sys

# Colours as (red, green, blue), each shape with its colour for the 8- and
# 32-bit images and the index of its colour in the 16-colour palette.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, NAVY, SILVER, GREY, YELLOW, BLUE, WHITE = 0, 3, 4, 7, 8, 11, 12, 15

FOLDER_EDGE = ((122, 84, 0), BLACK)
FOLDER_BACK = ((226, 168, 40), OLIVE)
FOLDER_FRONT = ((255, 212, 84), YELLOW)
FOLDER_SHINE = ((255, 236, 160), WHITE)
CABLE = ((38, 70, 130), NAVY)
HUB_EDGE = ((20, 40, 84), BLACK)
HUB = ((70, 130, 220), BLUE)
HUB_LIGHT = ((150, 200, 255), SILVER)


def shapes(size):
    """The design at `size` px: filled rectangles (x0, y0, x1, y1, colour),
    end-exclusive, painted in order. One unit is a sixteenth of the size."""
    u = size // 16
    edge = 1 if size < 48 else 2
    half = max(1, u // 2)
    mid = size // 2
    out = []

    def box(x0, y0, x1, y1, fill, outline):
        out.append((x0, y0, x1, y1, outline))
        out.append((x0 + edge, y0 + edge, x1 - edge, y1 - edge, fill))

    # Folder: the tab, the back panel, and the front flap over both.
    box(1 * u, 2 * u, 7 * u, 5 * u, FOLDER_BACK, FOLDER_EDGE)
    box(1 * u, 3 * u + half, 15 * u, 11 * u, FOLDER_BACK, FOLDER_EDGE)
    box(1 * u, 5 * u, 15 * u, 11 * u, FOLDER_FRONT, FOLDER_EDGE)
    if size >= 32:
        out.append((1 * u + edge, 5 * u + edge, 15 * u - edge,
                    5 * u + edge + half, FOLDER_SHINE))
    # Network: a drop from the folder to a hub on a cable across the width.
    cable = max(1, size // 24)
    out.append((mid - cable, 11 * u, mid + cable, 13 * u, CABLE))
    out.append((0, 13 * u + half - cable, size, 13 * u + half + cable, CABLE))
    box(mid - 2 * u, 12 * u, mid + 2 * u, 15 * u + u // 2 + (u == 1),
        HUB, HUB_EDGE)
    if size >= 32:
        out.append((mid - 2 * u + edge, 12 * u + edge, mid + 2 * u - edge,
                    12 * u + edge + half, HUB_LIGHT))
    return out


def paint(size):
    """Per pixel: the index of the shape colour painted last, or None."""
    pixels = [[None] * size for _ in range(size)]
    for x0, y0, x1, y1, colour in shapes(size):
        for y in range(max(0, y0), min(size, y1)):
            for x in range(max(0, x0), min(size, x1)):
                pixels[y][x] = colour
    return pixels


def bgra_rows(size):
    """32-bit rows, top first, with a soft shadow to the lower right."""
    pixels = paint(size)
    shift = max(1, size // 24)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            colour = pixels[y][x]
            if colour is not None:
                r, g, b = colour[0]
                row.append((b, g, r, 255))
                continue
            sy, sx = y - shift, x - shift
            shadowed = 0 <= sy and 0 <= sx and pixels[sy][sx] is not None
            row.append((0, 0, 0, 64) if shadowed else (0, 0, 0, 0))
        rows.append(row)
    return rows


def and_mask(opaque):
    """The 1-bit transparency mask, bottom row first, rows padded to 4 bytes."""
    data = b""
    for row in reversed(opaque):
        row_bytes = bytearray((len(row) + 7) // 8)
        for x, solid in enumerate(row):
            if not solid:
                row_bytes[x // 8] |= 0x80 >> (x % 8)
        data += bytes(row_bytes) + b"\0" * (-len(row_bytes) % 4)
    return data


def bitmap(size, bpp):
    """One image as an icon stores it: header, palette, colours, mask."""
    if bpp == 32:
        rows = bgra_rows(size)
        opaque = [[px[3] > 0 for px in row] for row in rows]
        colours = b"".join(bytes(px) for row in reversed(rows) for px in row)
        palette = b""
    else:
        pixels = paint(size)
        opaque = [[px is not None for px in row] for row in pixels]
        if bpp == 4:
            table = VGA
            index = [[px[1] if px else 0 for px in row] for row in pixels]
        else:
            used = sorted({px[0] for row in pixels for px in row if px})
            table = [(0, 0, 0)] + used
            table += [(0, 0, 0)] * (256 - len(table))
            index = [[table.index(px[0]) if px else 0 for px in row]
                     for row in pixels]
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in table)
        colours = b""
        for row in reversed(index):
            if bpp == 4:
                packed = bytes(row[i] << 4 | row[i + 1]
                               for i in range(0, size, 2))
            else:
                packed = bytes(row)
            colours += packed + b"\0" * (-len(packed) % 4)
    mask = and_mask(opaque)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0,
                         len(colours) + len(mask), 0, 0,
                         0 if bpp == 32 else 1 << bpp, 0)
    return header + palette + colours + mask


IMAGES = [(32, 4), (16, 4), (48, 8), (32, 8), (16, 8),
          (48, 32), (32, 32), (16, 32)]


def icon():
    bodies = [bitmap(size, bpp) for size, bpp in IMAGES]
    offset = 6 + 16 * len(IMAGES)
    out = struct.pack("<HHH", 0, 1, len(IMAGES))
    for (size, bpp), body in zip(IMAGES, bodies):
        out += struct.pack("<BBBBHHII", size, size, 16 if bpp == 4 else 0,
                           0, 1, bpp, len(body), offset)
        offset += len(body)
    return out + b"".join(bodies)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__.rstrip().rsplit("\n", 1)[-1].strip())
    with open(sys.argv[1], "wb") as f:
        f.write(icon())
