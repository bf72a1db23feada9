#!/usr/bin/env python3
"""Draws Vellumar's pictures: the 16 x 16, 16-colour program icon (PNG and
Windows ICO), the same padlock as a scalable SVG and as PNGs of 32 to 256
pixels for the desktop's icon theme, and the About window's 83 x 73 logo
(GIF89a with a 256-entry colour table, no transparency) with its twice-as-large
twin logo@2x.gif for screens scaled by 2. Uses only the standard library, so
the pictures can be made again anywhere: python3 make_pictures.py [folder]."""

import math
import os
import struct
import sys
import zlib

# The 16 colours of the classic VGA palette.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
CLEAR = 13  # magenta marks the icon's see-through pixels

# A padlock: . clear, K black, G dark grey, S light grey, Y yellow,
# O olive, W white.
ICON = [
    "................",
    ".....GGGGGG.....",
    "....GSSSSSSG....",
    "...GS.....SSG...",
    "...GS......SG...",
    "...GS......SG...",
    "...GS......SG...",
    "..KKKKKKKKKKKK..",
    "..KWYYYYYYYYOK..",
    "..KYYYYKKYYYOK..",
    "..KYYYYKKYYYOK..",
    "..KYYYYKKYYYOK..",
    "..KYYYYKKYYYOK..",
    "..KYYYYYYYYYOK..",
    "..KOOOOOOOOOOK..",
    "..KKKKKKKKKKKK..",
]
ICON_COLOURS = {".": CLEAR, "K": 0, "G": 8, "S": 7, "Y": 11, "O": 3, "W": 15}


def icon_pixels():
    return [[ICON_COLOURS[c] for c in row] for row in ICON]


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def icon_png(pixels):
    rows = b""
    for row in pixels:
        packed = bytes((row[i] << 4) | row[i + 1] for i in range(0, 16, 2))
        rows += b"\0" + packed
    transparency = bytes(0 if i == CLEAR else 255 for i in range(16))
    return (b"\x89PNG\r\n\x1a\n"
            + png_chunk(b"IHDR", struct.pack(">IIBBBBB", 16, 16, 4, 3, 0, 0, 0))
            + png_chunk(b"PLTE", bytes(v for rgb in VGA for v in rgb))
            + png_chunk(b"tRNS", transparency)
            + png_chunk(b"IDAT", zlib.compress(rows, 9))
            + png_chunk(b"IEND", b""))


def icon_ico(pixels):
    # BMP rows run bottom-up; 4 bits per pixel, then a 1-bit mask (1 = clear).
    xor = b""
    mask = b""
    for row in reversed(pixels):
        colours = [0 if c == CLEAR else c for c in row]
        xor += bytes((colours[i] << 4) | colours[i + 1] for i in range(0, 16, 2))
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c == CLEAR else 0)
        mask += struct.pack(">H", bits) + b"\0\0"  # rows padded to 4 bytes
    header = struct.pack("<IiiHHIIiiII", 40, 16, 32, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = bytes(v for r, g, b in VGA for v in (b, g, r, 0))
    image = header + palette + xor + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 16, 16, 16, 0, 1, 4, len(image), 22) + image


# The padlock of ICON as shapes on the same 16-unit grid, for the sizes that
# the pixel drawing cannot serve: the shackle as two strokes (dark outside,
# light inside), the body with its black rim, olive shade, white highlight
# and key hole. Each shape: (kind, geometry, colour index).
SHACKLE_CENTRE = (8.0, 6.0)
SHACKLE_FOOT = 8.0
SHAPES = [
    ("shackle", (4.5, 1.0), 8),
    ("shackle", (3.5, 1.0), 7),
    ("rect", (2.0, 7.0, 12.0, 9.0), 0),
    ("rect", (3.0, 8.0, 10.0, 7.0), 11),
    ("rect", (12.0, 8.0, 1.0, 7.0), 3),
    ("rect", (3.0, 14.0, 10.0, 1.0), 3),
    ("rect", (3.0, 8.0, 1.0, 1.0), 15),
    ("rect", (7.0, 9.0, 2.0, 4.0), 0),
]
ICON_SIZES = (32, 48, 64, 128, 256)


def hex_colour(index):
    return "#%02x%02x%02x" % VGA[index]


def icon_svg():
    cx, cy = SHACKLE_CENTRE
    parts = ['<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">',
             "<title>Vellumar</title>"]
    for kind, geometry, colour in SHAPES:
        if kind == "shackle":
            r, width = geometry
            parts.append('<path d="M%g %gV%gA%g %g 0 0 1 %g %gV%g" fill="none" stroke="%s" stroke-width="%g"/>'
                         % (cx - r, SHACKLE_FOOT, cy, r, r, cx + r, cy, SHACKLE_FOOT, hex_colour(colour), width))
        else:
            x, y, w, h = geometry
            parts.append('<rect x="%g" y="%g" width="%g" height="%g" fill="%s"/>' % (x, y, w, h, hex_colour(colour)))
    parts.append("</svg>")
    return ("\n".join(parts) + "\n").encode("ascii")


def inside(kind, geometry, x, y):
    """Whether the point (x, y) of the 16-unit grid lies in a shape."""
    if kind == "rect":
        left, top, w, h = geometry
        return left <= x < left + w and top <= y < top + h
    r, width = geometry
    cx, cy = SHACKLE_CENTRE
    if y <= cy:
        distance = abs(math.hypot(x - cx, y - cy) - r)
    elif y <= SHACKLE_FOOT:
        distance = min(abs(x - (cx - r)), abs(x - (cx + r)))
    else:
        return False
    return distance <= width / 2


def icon_rgba(size, samples=4):
    """The shapes at size x size pixels, each pixel the mean of samples x
    samples points (premultiplied, so the edges blend into the clear
    background)."""
    rows = []
    step = 16.0 / size / samples
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                y = (py * samples + sy + 0.5) * step
                for sx in range(samples):
                    x = (px * samples + sx + 0.5) * step
                    colour = None
                    for kind, geometry, index in SHAPES:
                        if inside(kind, geometry, x, y):
                            colour = index
                    if colour is not None:
                        cr, cg, cb = VGA[colour]
                        r += cr
                        g += cg
                        b += cb
                        a += 1
            if a:
                row += bytes((r // a, g // a, b // a, a * 255 // (samples * samples)))
            else:
                row += b"\0\0\0\0"
        rows.append(bytes(row))
    return rows


def rgba_png(rows):
    size = len(rows)
    data = b"".join(b"\0" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + png_chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + png_chunk(b"IDAT", zlib.compress(data, 9))
            + png_chunk(b"IEND", b""))


def logo_palette():
    """256 colours: 128 blues for the sky, 64 golds for the lock body, 48
    greys for the shackle, 16 for the key hole and the letters."""
    palette = []
    for i in range(128):
        t = i / 127
        palette.append((int(10 + 60 * t), int(30 + 110 * t), int(90 + 150 * t)))
    for i in range(64):
        t = i / 63
        palette.append((int(150 + 105 * t), int(100 + 120 * t), int(10 + 60 * t)))
    for i in range(48):
        t = i / 47
        palette.append((int(90 + 150 * t),) * 3)
    for i in range(16):
        t = i / 15
        palette.append((int(20 + 40 * t), int(15 + 30 * t), int(10 + 20 * t)))
    return palette


def logo_pixels(scale=1):
    """The logo at scale times its 83 x 73 design: each pixel takes the
    colour of the design point at its centre."""
    width, height = 83, 73
    sky, gold, grey, dark = 0, 128, 192, 240
    pixels = []
    cx = width / 2
    for py in range(height * scale):
        y = (py + 0.5) / scale - 0.5
        row = []
        for px in range(width * scale):
            x = (px + 0.5) / scale - 0.5
            # Sky: a diagonal gradient with a soft glow behind the lock.
            glow = math.exp(-((x - cx) ** 2 + (y - 30) ** 2) / 900)
            shade = min(127, int(((x + y) / (width + height)) * 90 + glow * 37))
            colour = sky + shade
            # Shackle: a ring around (cx, 26), radii 15 to 22, top half and legs.
            r = math.hypot(x - cx, y - 26)
            if 15 <= r <= 22 and (y <= 26 or 15 <= abs(x - cx) <= 22) and y < 40:
                light = (math.cos(math.atan2(y - 26, x - cx) + 2.3) + 1) / 2
                colour = grey + int(light * 47)
            # Body: a rounded block with a lit upper left.
            if 18 <= x <= 64 and 36 <= y <= 68:
                corner = min(x - 18, 64 - x, y - 36, 68 - y)
                if corner >= 0 and not (corner < 3 and (min(x - 18, 64 - x) + min(y - 36, 68 - y)) < 3):
                    light = 1 - ((x - 18) / 46 * 0.5 + (y - 36) / 32 * 0.5)
                    colour = gold + int(max(0.0, min(1.0, light)) * 63)
            # Key hole: a circle and a slot.
            if math.hypot(x - cx, y - 48) <= 4.2 or (abs(x - cx) <= 1.8 and 48 <= y <= 60):
                colour = dark + int(7 * (y - 44) / 16)
            row.append(colour)
        pixels.append(row)
    return pixels


def lzw_literals(indices):
    """LZW data that only ever sends single pixels, resetting the table
    before the codes outgrow 9 bits: simple and readable by every decoder."""
    clear, end = 256, 257
    codes = [clear]
    run = 0
    for index in indices:
        if run == 250:
            codes.append(clear)
            run = 0
        codes.append(index)
        run += 1
    codes.append(end)
    out = bytearray()
    acc = bits = 0
    for code in codes:
        acc |= code << bits
        bits += 9
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        out.append(acc & 0xFF)
    return bytes(out)


def logo_gif(scale=1):
    width, height = 83 * scale, 73 * scale
    palette = logo_palette()
    assert len(palette) == 256
    flat = [c for row in logo_pixels(scale) for c in row]
    data = lzw_literals(flat)
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255] for i in range(0, len(data), 255))
    return (b"GIF89a"
            + struct.pack("<HHBBB", width, height, 0xF7, 0, 0)  # 256-entry global table
            + bytes(v for rgb in palette for v in rgb)
            + b"," + struct.pack("<HHHHB", 0, 0, width, height, 0)
            + b"\x08" + blocks + b"\0"
            + b";")


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    pixels = icon_pixels()
    pictures = [("icon.png", icon_png(pixels)), ("vellumar.ico", icon_ico(pixels)),
                ("logo.gif", logo_gif()), ("logo@2x.gif", logo_gif(2)),
                ("icons/vellumar.svg", icon_svg())]
    pictures += [("icons/%d.png" % size, rgba_png(icon_rgba(size))) for size in ICON_SIZES]
    os.makedirs(os.path.join(folder, "icons"), exist_ok=True)
    for name, data in pictures:
        with open(os.path.join(folder, name), "wb") as file:
            file.write(data)


if __name__ == "__main__":
    main()
