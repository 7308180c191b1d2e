#!/usr/bin/env python3
"""Generates the launcher's artwork: assets/picture.bmp (the main window's
title card, 312x190) and assets/kr2_s1.ico (the program icon, 32x32).

Both are 24 bits per pixel, uncompressed and bottom-up; the icon has a single
image and an all-zero AND mask, so it is fully opaque. Standard library only;
the output is the same on every run.

The executable embeds the picture as assets/picture.packed, the .bmp file
made about twenty times smaller; windows/packed_bitmap.cpp expands it
back, byte for byte. The packed layout, all numbers little-endian:

    "KRP1"                  magic
    u32 size                length of the .bmp file
    u32 head                bytes stored as they are (the headers)
    u32 stride              length of one pixel row
    u32 crc32               CRC-32 of the .bmp file (as zlib's)
    LZ stream               the .bmp file, every pixel row after the first
                            stored as its difference from the row above

The LZ stream is groups of one flag byte, read from its lowest bit, and up to
eight items: a set bit is one literal byte, a clear bit a copy of earlier
output in two bytes: b0 | (b1 >> 4) << 8 is the distance minus one
(1..4096), b1 & 15 the length minus three; a length nibble of 15 is followed
by bytes added to the length, up to and including the first that is not 255.
Unused flag bits of the last group are zero.

    python3 scripts/make_assets.py [output-dir]
"""

import math
import struct
import sys
import zlib
from pathlib import Path

PIXELS_PER_METRE = 2835  # 72 dots per inch

# A 5x7 pixel font with just the letters the artwork needs.
GLYPHS = {
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "H": ["10001", "10001", "10001", "11111", "10001", "10001", "10001"],
    " ": ["00000"] * 7,
}


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width, self.height = width, height
        self.rows = [[colour] * width for _ in range(height)]  # top row first

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def blend(self, x, y, colour, alpha):
        if 0 <= x < self.width and 0 <= y < self.height:
            old = self.rows[y][x]
            self.rows[y][x] = tuple(round(o + (c - o) * alpha) for o, c in zip(old, colour))

    def text(self, x, y, string, scale, colour, spacing=1):
        for ch in string:
            for gy, line in enumerate(GLYPHS[ch]):
                for gx, bit in enumerate(line):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                self.put(x + gx * scale + dx, y + gy * scale + dy, colour)
            x += (5 + spacing) * scale

    def text_width(self, string, scale, spacing=1):
        return len(string) * (5 + spacing) * scale - spacing * scale

    def bgr_bottom_up(self):
        """Pixel rows as stored in a DIB: bottom row first, BGR, 4-byte aligned."""
        pad = b"\0" * ((4 - self.width * 3 % 4) % 4)
        out = bytearray()
        for row in reversed(self.rows):
            for r, g, b in row:
                out += bytes((b, g, r))
            out += pad
        return bytes(out)


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, image_size,
                       PIXELS_PER_METRE, PIXELS_PER_METRE, 0, 0)


def bmp_bytes(canvas):
    pixels = canvas.bgr_bottom_up()
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    return file_header + info_header(canvas.width, canvas.height, len(pixels)) + pixels


def ico_bytes(canvas):
    xor = canvas.bgr_bottom_up()
    and_stride = ((canvas.width + 31) // 32) * 4
    and_mask = b"\0" * (and_stride * canvas.height)  # all zero: every pixel opaque
    # In an icon the header's height counts both masks.
    image = info_header(canvas.width, canvas.height * 2, len(xor) + len(and_mask)) + xor + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 0, 0, 1, 24,
                        len(image), 6 + 16)
    return directory + entry + image


PACKED_MAGIC = b"KRP1"
LZ_WINDOW = 4096
LZ_MIN_MATCH = 3


def up_filtered(data, head, stride):
    """Pixel rows after the first as their difference from the row above."""
    out = bytearray(data)
    for i in range(head + stride, len(data)):
        out[i] = (data[i] - data[i - stride]) & 0xFF
    return bytes(out)


def lz_compress(data, chain_limit=256):
    """Greedy LZ77 with hash chains over three-byte keys."""
    out = bytearray()
    flags_at, flag_bit = 0, 8
    latest, previous = {}, [-1] * len(data)

    def flag(is_literal):
        nonlocal flags_at, flag_bit
        if flag_bit == 8:
            flags_at, flag_bit = len(out), 0
            out.append(0)
        if is_literal:
            out[flags_at] |= 1 << flag_bit
        flag_bit += 1

    def remember(j):
        if j + LZ_MIN_MATCH <= len(data):
            key = data[j:j + LZ_MIN_MATCH]
            previous[j] = latest.get(key, -1)
            latest[key] = j

    i = 0
    while i < len(data):
        best, distance = 0, 0
        j = latest.get(data[i:i + LZ_MIN_MATCH], -1) if i + LZ_MIN_MATCH <= len(data) else -1
        tries = 0
        while j >= 0 and i - j <= LZ_WINDOW and tries < chain_limit:
            n = 0
            while i + n < len(data) and data[j + n] == data[i + n]:
                n += 1
            if n > best:
                best, distance = n, i - j
            j, tries = previous[j], tries + 1
        if best >= LZ_MIN_MATCH:
            flag(False)
            d, extra = distance - 1, best - LZ_MIN_MATCH
            out.append(d & 0xFF)
            out.append((d >> 8) << 4 | min(extra, 15))
            if extra >= 15:
                extra -= 15
                while extra >= 255:
                    out.append(255)
                    extra -= 255
                out.append(extra)
            for k in range(best):
                remember(i + k)
            i += best
        else:
            flag(True)
            out.append(data[i])
            remember(i)
            i += 1
    return bytes(out)


def packed_bytes(bmp):
    head = struct.unpack_from("<I", bmp, 10)[0]
    width = struct.unpack_from("<i", bmp, 18)[0]
    stride = (width * 3 + 3) // 4 * 4
    header = PACKED_MAGIC + struct.pack("<IIII", len(bmp), head, stride, zlib.crc32(bmp))
    return header + lz_compress(up_filtered(bmp, head, stride))


def ridge(x, base, amplitude, seed):
    return base - amplitude * (0.55 * math.sin(x * 0.021 + seed) + 0.3 * math.sin(x * 0.057 + seed * 2.3)
                               + 0.15 * math.sin(x * 0.13 + seed * 0.7))


def kestrel(canvas, cx, cy, span, colour):
    """A bird in flight: two swept wings and a fanned tail."""
    for x in range(-span, span + 1):
        t = abs(x) / span
        lift = round(span * 0.35 * t * t - span * 0.12 * math.sin(t * math.pi))
        thickness = max(1, round(3 * (1 - t) + 0.5))
        for d in range(thickness):
            canvas.put(cx + x, cy + lift + d - thickness // 2, colour)
    for d in range(-2, 3):
        for y in range(0, 7 - abs(d)):
            canvas.put(cx + d, cy + 2 + y, colour)
    canvas.put(cx, cy - 2, colour)
    canvas.put(cx - 1, cy - 1, colour)
    canvas.put(cx + 1, cy - 1, colour)


def picture():
    w, h = 312, 190
    c = Canvas(w, h)
    top, horizon, low = (18, 22, 62), (236, 120, 58), (252, 206, 120)
    for y in range(h):
        t = y / (h - 1)
        colour = lerp(top, horizon, t / 0.7) if t < 0.7 else lerp(horizon, low, (t - 0.7) / 0.3)
        for x in range(w):
            c.rows[y][x] = colour
    # A low sun behind the hills, with a soft glow.
    sx, sy = 214, 128
    for y in range(h):
        for x in range(w):
            d = math.hypot(x - sx, y - sy)
            if d < 22:
                c.put(x, y, (255, 236, 170))
            elif d < 60:
                c.blend(x, y, (255, 214, 140), 0.45 * (1 - (d - 22) / 38))
    # Three ranges of hills, lighter to darker towards the front.
    for base, amp, seed, colour in ((140, 22, 1.0, (120, 58, 70)), (158, 16, 2.7, (70, 32, 52)),
                                    (176, 10, 4.1, (28, 14, 30))):
        for x in range(w):
            for y in range(max(0, round(ridge(x, base, amp, seed))), h):
                c.put(x, y, colour)
    # A watchtower on the far left ridge.
    tower = (28, 14, 30)
    for y in range(112, 176):
        for x in range(40, 52):
            c.put(x, y, tower)
    for x in range(37, 55):
        for y in range(106, 112):
            c.put(x, y, tower)
    for x in range(37, 55, 4):
        for y in range(102, 106):
            c.put(x, y, tower)
            c.put(x + 1, y, tower)
    c.put(45, 125, (255, 196, 90))
    c.put(46, 125, (255, 196, 90))
    c.put(45, 126, (255, 196, 90))
    c.put(46, 126, (255, 196, 90))
    # Two kestrels over the valley.
    kestrel(c, 150, 92, 16, (30, 16, 34))
    kestrel(c, 118, 104, 9, (54, 28, 52))
    # The title, with a drop shadow.
    title, scale = "KESTRANE II", 3
    tx = (w - c.text_width(title, scale)) // 2
    c.text(tx + 2, 22, title, scale, (10, 10, 30))
    c.text(tx, 20, title, scale, (250, 226, 160))
    sub = "LAUNCHER"
    c.text((w - c.text_width(sub, 1, 2)) // 2, 48, sub, 1, (236, 190, 140), 2)
    return c


def icon():
    c = Canvas(32, 32, (20, 24, 64))
    for y in range(32):
        for x in range(32):
            d = math.hypot(x - 15.5, y - 15.5)
            c.rows[y][x] = lerp((240, 128, 56), (20, 24, 64), min(1.0, d / 17))
    for i in range(32):
        c.put(i, 0, (10, 10, 30))
        c.put(i, 31, (10, 10, 30))
        c.put(0, i, (10, 10, 30))
        c.put(31, i, (10, 10, 30))
    c.text(5, 5, "K", 3, (255, 240, 190))
    c.text(22, 20, "I", 1, (255, 240, 190))
    c.text(25, 20, "I", 1, (255, 240, 190))
    return c


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "assets"
    out.mkdir(parents=True, exist_ok=True)
    bmp = bmp_bytes(picture())
    (out / "picture.bmp").write_bytes(bmp)
    (out / "picture.packed").write_bytes(packed_bytes(bmp))
    (out / "kr2_s1.ico").write_bytes(ico_bytes(icon()))
    print(f"wrote picture.bmp, picture.packed and kr2_s1.ico in {out}")


if __name__ == "__main__":
    main()
