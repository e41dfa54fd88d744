#!/usr/bin/python3
"""Draws the program icon (resource 294): a camera lens on a dark square.

Run by hand; its output, resources/icons/tarvo.ico, is committed."""
import pathlib
from PIL import Image, ImageDraw

def lens(size):
    scale = 8  # draw large, then shrink for smooth edges
    s = size * scale
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    r = s // 8
    d.rounded_rectangle((0, 0, s - 1, s - 1), radius=r, fill=(28, 31, 38, 255))
    c = s / 2
    for radius, colour in ((0.40, (70, 76, 88)), (0.33, (18, 20, 26)), (0.26, (0, 150, 200)),
                           (0.17, (8, 40, 70)), (0.09, (2, 8, 16))):
        rr = radius * s
        d.ellipse((c - rr, c - rr, c + rr, c + rr), fill=colour + (255,))
    hl = 0.07 * s
    d.ellipse((c - 0.16 * s - hl, c - 0.16 * s - hl, c - 0.16 * s + hl, c - 0.16 * s + hl),
              fill=(220, 240, 255, 200))
    d.ellipse((s * 0.80, s * 0.10, s * 0.90, s * 0.20), fill=(230, 40, 40, 255))  # recording light
    return img.resize((size, size), Image.LANCZOS)

out = pathlib.Path(__file__).resolve().parents[2] / "resources" / "icons" / "tarvo.ico"
big = lens(256)
big.save(out, sizes=[(16, 16), (24, 24), (32, 32), (48, 48), (256, 256)])
print(out)
