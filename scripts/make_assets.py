#!/usr/bin/env python3
"""Draws the program's own assets into app/res: the 32x32 256-colour icon,
the 32x32 black-and-white pointing-hand cursor and the 16x16 link picture.
Run it again after changing a drawing; its outputs are committed."""
import math
import os
import struct

RES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app", "res")


def bitmap_info(width, height, bits, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, 0, 0, 0, colours, 0)


def and_mask(rows, width):
    """1-bit rows, bottom-up, each padded to 32 bits; bit set = transparent."""
    stride = ((width + 31) // 32) * 4
    out = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, transparent in enumerate(row):
            if transparent:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bytes(bits)
    return out


def icon_pixels():
    """A white magnifier (Quillmark's 'Q') over a blue rounded square."""
    size = 32
    pixels, transparent = [], []
    for y in range(size):
        row, mask = [], []
        for x in range(size):
            cx, cy = x + 0.5, y + 0.5
            # Rounded square, corner radius 6.
            dx = max(6 - cx, cx - (size - 6), 0)
            dy = max(6 - cy, cy - (size - 6), 0)
            inside = dx * dx + dy * dy <= 36
            if not inside:
                row.append((0, 0, 0))
                mask.append(True)
                continue
            shade = int(40 + 90 * y / size)
            colour = (20, shade, 150 + y * 3)
            ring = abs(math.hypot(cx - 14, cy - 13) - 8)
            handle = abs((cx - cy) - 1) < 2.2 and 20 <= cx <= 27 and 19 <= cy <= 26
            if ring < 1.6 or handle:
                colour = (255, 255, 255)
            elif math.hypot(cx - 14, cy - 13) < 6.4:
                colour = (120, 200, 255)
            row.append(colour)
            mask.append(False)
        pixels.append(row)
        transparent.append(mask)
    return pixels, transparent


def write_icon(path):
    pixels, transparent = icon_pixels()
    palette = sorted({c for row in pixels for c in row})
    assert len(palette) <= 256
    index = {c: i for i, c in enumerate(palette)}
    pal = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    pal += b"\0" * (1024 - len(pal))
    xor = b"".join(bytes(index[c] for c in row) for row in reversed(pixels))
    image = bitmap_info(32, 64, 8, 256) + pal + xor + and_mask(transparent, 32)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 8, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


HAND = """
.........BB.....................
........BWWB....................
........BWWB....................
........BWWB....................
........BWWB....................
........BWWBBB..................
........BWWBWWBBB...............
........BWWBWWBWWBB.............
........BWWBWWBWWBWB............
.....BB.BWWWWWWWWBWWB...........
....BWWBBWWWWWWWWWWWB...........
....BWWWBWWWWWWWWWWWB...........
.....BWWBWWWWWWWWWWWB...........
......BWWWWWWWWWWWWWB...........
......BWWWWWWWWWWWWWB...........
.......BWWWWWWWWWWWB............
.......BWWWWWWWWWWWB............
........BWWWWWWWWWB.............
........BWWWWWWWWWB.............
........BBBBBBBBBBB.............
"""


def write_cursor(path):
    art = [line for line in HAND.strip("\n").split("\n")]
    art += ["." * 32] * (32 - len(art))
    xor_rows = [[ch == "W" for ch in line.ljust(32, ".")] for line in art]
    and_rows = [[ch == "." for ch in line.ljust(32, ".")] for line in art]
    xor = and_mask(xor_rows, 32)  # same packing: bit set = white
    image = bitmap_info(32, 64, 1, 2) + struct.pack("<II", 0x000000, 0xFFFFFF) + xor + and_mask(and_rows, 32)
    hot_x, hot_y = 9, 0  # the tip of the index finger
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def write_link_picture(path):
    """16x16, 24 bits: a white arrow leaving a blue box (an outside link)."""
    rows = []
    for y in range(16):
        row = []
        for x in range(16):
            colour = (59, 89, 152)
            if x in (0, 15) or y in (0, 15):
                colour = (40, 60, 110)
            on_shaft = 4 <= x <= 11 and abs((x + y) - 15) <= 0.5
            on_head = (y == 4 and 7 <= x <= 11) or (x == 11 and 4 <= y <= 8)
            if on_shaft or on_head:
                colour = (255, 255, 255)
            row.append(colour)
        rows.append(row)
    stride = 16 * 3
    data = b"".join(bytes(v for r, g, b in row for v in (b, g, r)) for row in reversed(rows))
    info = bitmap_info(16, 16, 24, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    assert len(data) == stride * 16
    with open(path, "wb") as f:
        f.write(file_header + info + data)


if __name__ == "__main__":
    os.makedirs(RES, exist_ok=True)
    write_icon(os.path.join(RES, "quillmark.ico"))
    write_cursor(os.path.join(RES, "hand.cur"))
    write_link_picture(os.path.join(RES, "link.bmp"))
