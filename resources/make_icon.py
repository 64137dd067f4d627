#!/usr/bin/env python3
"""Draws the program icon IDI_JOY (a joystick: base, stick, red knob, fire button) at 16x16 and
32x32 pixels and writes Quorvel.ico. Run again after changing the drawing; the .ico is checked in."""
import struct
import sys

SUPERSAMPLE = 8

# Shapes in a unit square (x right, y down), drawn in order; colours are RGBA.
BASE_DARK = (40, 44, 56, 255)
BASE_LIGHT = (92, 100, 120, 255)
STICK = (150, 150, 160, 255)
KNOB = (210, 30, 40, 255)
KNOB_SHINE = (250, 150, 150, 255)
BUTTON = (250, 200, 40, 255)


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


SHAPES = [
    (ellipse(0.5, 0.80, 0.46, 0.16), BASE_DARK),
    (rect(0.04, 0.70, 0.96, 0.80), BASE_DARK),
    (ellipse(0.5, 0.70, 0.46, 0.15), BASE_LIGHT),
    (rect(0.44, 0.30, 0.56, 0.72), STICK),
    (ellipse(0.5, 0.71, 0.13, 0.05), BASE_DARK),
    (ellipse(0.5, 0.25, 0.22, 0.22), KNOB),
    (ellipse(0.43, 0.18, 0.07, 0.06), KNOB_SHINE),
    (ellipse(0.80, 0.67, 0.09, 0.05), BUTTON),
]


def pixel(px, py, size):
    """Averages the supersampled colour of one pixel; returns (b, g, r, a)."""
    total = [0.0, 0.0, 0.0, 0.0]
    for sy in range(SUPERSAMPLE):
        for sx in range(SUPERSAMPLE):
            x = (px + (sx + 0.5) / SUPERSAMPLE) / size
            y = (py + (sy + 0.5) / SUPERSAMPLE) / size
            colour = (0, 0, 0, 0)
            for inside, fill in SHAPES:
                if inside(x, y):
                    colour = fill
            for i in range(3):
                total[i] += colour[i] * colour[3]
            total[3] += colour[3]
    n = SUPERSAMPLE * SUPERSAMPLE
    alpha = total[3] / n
    if alpha == 0:
        return (0, 0, 0, 0)
    r, g, b = (round(total[i] / total[3]) for i in range(3))
    return (b, g, r, round(alpha))


def image(size):
    """A 32-bit BMP icon image: header, bottom-up BGRA rows, then the AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    mask_rows = []
    mask_stride = ((size + 31) // 32) * 4
    for py in reversed(range(size)):
        row = b""
        mask = bytearray(mask_stride)
        for px in range(size):
            b, g, r, a = pixel(px, py, size)
            row += bytes((b, g, r, a))
            if a < 128:
                mask[px // 8] |= 0x80 >> (px % 8)
        rows.append(row)
        mask_rows.append(bytes(mask))
    return header + b"".join(rows) + b"".join(mask_rows)


def main(path):
    images = [image(16), image(32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Quorvel.ico")
