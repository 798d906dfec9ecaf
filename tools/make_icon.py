#!/usr/bin/env python3
"""Draws the saver's icon from code and writes app/kelvaris.ico.

Four images: 16x16 and 32x32 at 8 bits per pixel (256-colour palette), 16x16
at 32 bits (with alpha) and 32x32 at 24 bits. The picture: a shaded sphere
lit from the upper left, with a tilted ring and two small satellites.
Standard library only; run it again after changing the drawing.
"""
import colorsys
import math
import struct
import sys


def draw(size):
    """Returns rows (top first) of (r, g, b, a) for one icon size."""
    pixels = []
    c = (size - 1) / 2.0
    radius = size * 0.30
    light = (-0.5, -0.6, 0.62)
    for y in range(size):
        row = []
        for x in range(size):
            px, py = (x - c), (y - c)
            colour = (0, 0, 0, 0)
            # The ring: an ellipse tilted by 25 degrees, drawn behind the
            # sphere's upper half and in front of its lower half.
            t = math.radians(-25)
            rx = px * math.cos(t) - py * math.sin(t)
            ry = px * math.sin(t) + py * math.cos(t)
            ring = abs(math.hypot(rx / (size * 0.46), ry / (size * 0.16)) - 1.0) < (1.6 / size)
            d = math.hypot(px, py) / radius
            if ring and ry < 0:
                colour = (200, 200, 230, 255)
            if d <= 1.0:
                nz = math.sqrt(max(0.0, 1 - d * d))
                nx, ny = px / radius, py / radius
                diffuse = max(0.0, nx * light[0] + ny * light[1] + nz * light[2])
                hue = (0.55 + 0.25 * (px + py) / (2 * radius)) % 1.0
                r, g, b = colorsys.hsv_to_rgb(hue, 1.0, 0.2 + 0.8 * diffuse)
                highlight = max(0.0, diffuse) ** 30
                colour = tuple(min(255, int(255 * (v + highlight))) for v in (r, g, b)) + (255,)
            if ring and ry >= 0:
                colour = (200, 200, 230, 255)
            for sx, sy, rgb in ((0.40, -0.05, (255, 200, 40)), (-0.38, 0.10, (80, 255, 120))):
                if math.hypot(px - sx * size, py - sy * size) <= max(1.2, size * 0.07):
                    colour = rgb + (255,)
            row.append(colour)
        pixels.append(row)
    return pixels


# 6x6x6 colour cube plus a grey ramp: a fixed palette for the 8-bit images.
PALETTE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE += [(i * 255 // 39, i * 255 // 39, i * 255 // 39) for i in range(40)]


def nearest(rgb):
    return min(range(len(PALETTE)), key=lambda i: sum((a - b) ** 2 for a, b in zip(PALETTE[i], rgb)))


def and_mask(pixels, size):
    """1 bit per pixel, rows padded to 32 bits, bottom row first; 1 = transparent."""
    out = b""
    for row in reversed(pixels):
        bits = 0
        for x, p in enumerate(row):
            if p[3] < 128:
                bits |= 1 << (31 - x)
        out += struct.pack(">I", bits)
    return out


def image(size, bpp):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bpp, 0, 0, 0, 0, 256 if bpp == 8 else 0, 0)
    body = b""
    if bpp == 8:
        body += b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
        for row in reversed(pixels):
            line = bytes(nearest(p[:3]) if p[3] >= 128 else 0 for p in row)
            body += line + b"\0" * ((4 - len(line) % 4) % 4)
    else:
        for row in reversed(pixels):
            if bpp == 32:
                line = b"".join(struct.pack("BBBB", b, g, r, a) for r, g, b, a in row)
            else:
                line = b"".join(struct.pack("BBB", b, g, r) for r, g, b, a in row)
            body += line + b"\0" * ((4 - len(line) % 4) % 4)
    return header + body + and_mask(pixels, size)


def main(path):
    formats = [(16, 8), (16, 32), (32, 8), (32, 24)]
    images = [image(size, bpp) for size, bpp in formats]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bpp), data in zip(formats, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, bpp, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "app/kelvaris.ico")
