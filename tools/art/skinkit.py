"""Drawing kit of the skin generator: palette, supersampled layers, shapes, icons, glyphs, PNG output.

Every picture of the skin is drawn opaquely by the viewer (no alpha blending), so each one is
built on a copy of the panel that lies under it: crisp one-pixel panel work is drawn directly at
1x, shapes are drawn SS times larger on a transparent layer and shrunk onto that copy."""
import io
import pathlib

from PIL import Image, ImageDraw, ImageFont

SS = 4  # supersampling factor of the shape layers

# --- palette: graphite panels, near-black displays, white icons and one amber accent --------------
PANEL = (30, 34, 40)
PANEL_HI = (56, 62, 71)      # top edge of a module
PANEL_LO = (13, 15, 18)      # bottom edge of a module
RULE_DARK = (15, 17, 20)
RULE_LIGHT = (50, 55, 63)
WELL = (9, 11, 14)           # recessed display glass
WELL_RIM_DARK = (3, 4, 5)
WELL_RIM_LIGHT = (60, 66, 75)
ACCENT = (255, 166, 30)
ACCENT_DEEP = (196, 112, 8)
ICON = (238, 241, 245)
ICON_DISABLED = (84, 89, 97)
TEXT_DIM = (140, 147, 157)
ALERT = (226, 46, 46)
WHITE = (255, 255, 255)

HERE = pathlib.Path(__file__).resolve().parent
FONT_JP = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf"
FONT_SANS = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"
FONT_WORDMARK = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def rgba(colour, alpha=255):
    return tuple(colour[:3]) + (alpha,)


def font(path, px):
    """A font whose em is px picture pixels, scaled for the shape layers."""
    return ImageFont.truetype(path, round(px * SS))


# --- flat 1x drawing on a panel ------------------------------------------------------------------
def solid(w, h, colour):
    return Image.new("RGB", (w, h), colour)


def vertical_gradient(w, h, stops):
    """stops: [(row, colour), ...] in increasing rows; rows between are interpolated."""
    img = Image.new("RGB", (w, h))
    d = ImageDraw.Draw(img)
    for y in range(h):
        for (y0, c0), (y1, c1) in zip(stops, stops[1:]):
            if y0 <= y <= y1:
                colour = c0 if y1 == y0 else mix(c0, c1, (y - y0) / (y1 - y0))
                break
        else:
            colour = stops[0][1] if y < stops[0][0] else stops[-1][1]
        d.line((0, y, w - 1, y), fill=colour)
    return img


def module_edges(img):
    """A lit top edge and a dark bottom edge, so stacked panels read as separate modules."""
    d = ImageDraw.Draw(img)
    w, h = img.size
    d.line((0, 0, w - 1, 0), fill=PANEL_HI)
    d.line((0, h - 1, w - 1, h - 1), fill=PANEL_LO)
    return img


def inset_well(img, x0, y0, x1, y1, radius=3, fill=WELL):
    """A recessed display window covering columns x0..x1-1 and rows y0..y1-1."""
    layer = Layer(*img.size)
    layer.rrect(x0, y0, x1, y1, radius, WELL_RIM_LIGHT)
    layer.rrect(x0, y0, x1, y1 - 1, radius, WELL_RIM_DARK)
    layer.rrect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(radius - 1, 0), fill)
    return layer.onto(img)


def groove_rule(img, x, y0, y1):
    """A vertical engraved line: dark column x, light column x + 1."""
    d = ImageDraw.Draw(img)
    d.line((x, y0, x, y1), fill=RULE_DARK)
    d.line((x + 1, y0, x + 1, y1), fill=RULE_LIGHT)
    return img


# --- supersampled shape layers -------------------------------------------------------------------
class Layer:
    """A transparent surface SS times larger than the picture; coordinates are picture pixels,
    pixel (i, j) covering [i, i + 1) x [j, j + 1)."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("RGBA", (w * SS, h * SS), (0, 0, 0, 0))
        self.draw = ImageDraw.Draw(self.img)

    @staticmethod
    def _box(x0, y0, x1, y1):
        return (round(x0 * SS), round(y0 * SS), round(x1 * SS) - 1, round(y1 * SS) - 1)

    def rect(self, x0, y0, x1, y1, fill):
        self.draw.rectangle(self._box(x0, y0, x1, y1), fill=rgba(fill))

    def rrect(self, x0, y0, x1, y1, radius, fill):
        self.draw.rounded_rectangle(self._box(x0, y0, x1, y1), radius=radius * SS, fill=rgba(fill))

    def ellipse(self, cx, cy, rx, ry, fill):
        self.draw.ellipse(self._box(cx - rx, cy - ry, cx + rx, cy + ry), fill=rgba(fill))

    def circle(self, cx, cy, r, fill):
        self.ellipse(cx, cy, r, r, fill)

    def polygon(self, points, fill):
        self.draw.polygon([(x * SS, y * SS) for x, y in points], fill=rgba(fill))

    def line(self, points, width, fill):
        self.draw.line([(x * SS, y * SS) for x, y in points], fill=rgba(fill), width=round(width * SS),
                       joint="curve")

    def arc(self, cx, cy, r, start, end, width, fill):
        self.draw.arc(self._box(cx - r, cy - r, cx + r, cy + r), start, end, fill=rgba(fill),
                      width=round(width * SS))

    def text(self, x, y, string, fnt, fill, anchor="mm", stretch=1.0, weight=0.0):
        """Text anchored at (x, y); stretch < 1 narrows it horizontally, weight (in pixels)
        thickens thin strokes."""
        style = dict(font=fnt, fill=rgba(fill), stroke_width=round(weight * SS), stroke_fill=rgba(fill))
        if stretch == 1.0:
            self.draw.text((x * SS, y * SS), string, anchor=anchor, **style)
            return
        box = self.draw.textbbox((0, 0), string, font=fnt, anchor="lt")
        tmp = Image.new("RGBA", (box[2] + 4, box[3] + 4), (0, 0, 0, 0))
        ImageDraw.Draw(tmp).text((2, 2), string, anchor="lt", **style)
        tmp = tmp.resize((max(1, round(tmp.width * stretch)), tmp.height), Image.LANCZOS)
        ox = x * SS - (box[2] * stretch) / 2 if anchor[0] == "m" else x * SS
        oy = y * SS - box[3] / 2 if anchor[1] == "m" else y * SS
        self.img.alpha_composite(tmp, (round(ox), round(oy)))

    def text_width(self, string, fnt):
        box = self.draw.textbbox((0, 0), string, font=fnt, anchor="lt")
        return (box[2] - box[0]) / SS

    def shaded(self, mask_shape, top, bottom, y0=None, y1=None):
        """Fills a shape with a vertical gradient from top (row y0) to bottom (row y1).
        mask_shape(draw) draws the shape in white on an SS-sized mask."""
        mask = Image.new("L", self.img.size, 0)
        mask_shape(ImageDraw.Draw(mask))
        y0 = 0 if y0 is None else y0
        y1 = self.h if y1 is None else y1
        grad = vertical_gradient(1, self.img.height, [(y0 * SS, top), (y1 * SS, bottom)])
        grad = grad.resize(self.img.size).convert("RGBA")
        grad.putalpha(mask)
        self.img.alpha_composite(grad)

    def onto(self, base):
        """Shrinks the layer (premultiplied, box filter) and lays it over an RGB picture."""
        small = self.img.convert("RGBa").reduce(SS).convert("RGBA")
        out = base.convert("RGBA")
        out.alpha_composite(small)
        return out.convert("RGB")


def ellipse_mask(cx, cy, r):
    return lambda d: d.ellipse(Layer._box(cx - r, cy - r, cx + r, cy + r), fill=255)


def rrect_mask(x0, y0, x1, y1, radius):
    return lambda d: d.rounded_rectangle(Layer._box(x0, y0, x1, y1), radius=radius * SS, fill=255)


# --- icons: vector shapes centred on (cx, cy) within a square of side s ------------------------
def icon_play(L, cx, cy, s, c):
    h = s * 0.56
    w = h * 0.88
    x0 = cx - w * 0.40  # a triangle's visual centre sits left of its box centre
    L.polygon([(x0, cy - h / 2), (x0 + w, cy), (x0, cy + h / 2)], c)


def icon_pause(L, cx, cy, s, c):
    h, bw, gap = s * 0.46, s * 0.14, s * 0.13
    L.rrect(cx - gap / 2 - bw, cy - h / 2, cx - gap / 2, cy + h / 2, s * 0.02, c)
    L.rrect(cx + gap / 2, cy - h / 2, cx + gap / 2 + bw, cy + h / 2, s * 0.02, c)


def icon_stop(L, cx, cy, s, c):
    a = s * 0.42
    L.rrect(cx - a / 2, cy - a / 2, cx + a / 2, cy + a / 2, s * 0.05, c)


def _triangle(L, tip_x, cy, w, h, direction, c):
    base = tip_x - direction * w
    L.polygon([(base, cy - h / 2), (tip_x, cy), (base, cy + h / 2)], c)


def _bar(L, x, cy, w, h, c):
    L.rect(x, cy - h / 2, x + w, cy + h / 2, c)


def icon_skip(L, cx, cy, s, c, direction):
    """|<< (direction -1) or >>| (direction 1): to the previous or next recording."""
    h, w, bw = s * 0.42, s * 0.22, s * 0.09
    span = bw + 2 * w
    left = cx - span / 2
    if direction > 0:
        _triangle(L, left + w, cy, w, h, 1, c)
        _triangle(L, left + 2 * w, cy, w, h, 1, c)
        _bar(L, left + 2 * w, cy, bw, h, c)
    else:
        _bar(L, left, cy, bw, h, c)
        _triangle(L, left + bw, cy, w, h, -1, c)
        _triangle(L, left + bw + w, cy, w, h, -1, c)


def icon_to_end(L, cx, cy, s, c, direction):
    """|< (direction -1) or >| (direction 1): the first or last picture."""
    h, w, bw, gap = s * 0.44, s * 0.30, s * 0.09, s * 0.02
    span = bw + gap + w
    left = cx - span / 2
    if direction > 0:
        _triangle(L, left + w, cy, w, h, 1, c)
        _bar(L, left + w + gap, cy, bw, h, c)
    else:
        _bar(L, left, cy, bw, h, c)
        _triangle(L, left + bw + gap, cy, w, h, -1, c)


def icon_arrow(L, cx, cy, s, c, direction):
    """< or >: the previous or next picture."""
    h, w = s * 0.46, s * 0.34
    _triangle(L, cx + direction * w * 0.55, cy, w, h, direction, c)


def icon_frame_step(L, cx, cy, s, c, direction):
    """<| (direction -1) or |> (direction 1): one frame (or chapter) back or on."""
    h, w, bw, gap = s * 0.46, s * 0.32, s * 0.10, s * 0.06
    span = w + gap + bw
    left = cx - span / 2
    if direction > 0:
        _bar(L, left, cy, bw, h, c)
        _triangle(L, left + bw + gap + w, cy, w, h, 1, c)
    else:
        _triangle(L, left, cy, w, h, -1, c)
        _bar(L, left + w + gap, cy, bw, h, c)


def icon_folder(L, cx, cy, s, c, inner):
    """A folder: the back with its tab, and the front flap opened a little."""
    w, h = s, s * 0.78
    x0, y0 = cx - w / 2, cy - h / 2
    L.polygon([(x0, y0 + h * 0.12), (x0 + w * 0.08, y0), (x0 + w * 0.36, y0), (x0 + w * 0.46, y0 + h * 0.14),
               (x0 + w * 0.92, y0 + h * 0.14), (x0 + w * 0.92, y0 + h), (x0, y0 + h)], c)
    L.polygon([(x0 + w * 0.10, y0 + h * 0.34), (x0 + w, y0 + h * 0.34), (x0 + w * 0.92, y0 + h),
               (x0, y0 + h)], inner)
    L.polygon([(x0 + w * 0.16, y0 + h * 0.42), (x0 + w * 0.98, y0 + h * 0.42), (x0 + w * 0.90, y0 + h),
               (x0 + w * 0.02, y0 + h)], c)


def icon_speaker(L, cx, cy, s, c):
    L.rect(cx - s * 0.46, cy - s * 0.16, cx - s * 0.22, cy + s * 0.16, c)
    L.polygon([(cx - s * 0.24, cy - s * 0.16), (cx + s * 0.04, cy - s * 0.42),
               (cx + s * 0.04, cy + s * 0.42), (cx - s * 0.24, cy + s * 0.16)], c)
    L.arc(cx + s * 0.02, cy, s * 0.22, -45, 45, s * 0.09, c)
    L.arc(cx + s * 0.02, cy, s * 0.42, -45, 45, s * 0.09, c)


def icon_sun(L, cx, cy, s, c):
    import math
    L.circle(cx, cy, s * 0.2, c)
    for k in range(8):
        a = k * math.pi / 4
        L.line([(cx + math.cos(a) * s * 0.31, cy + math.sin(a) * s * 0.31),
                (cx + math.cos(a) * s * 0.45, cy + math.sin(a) * s * 0.45)], s * 0.1, c)


def icon_warning(L, cx, cy, w, h, face, mark):
    """A rounded warning triangle with an exclamation mark."""
    top, bottom = cy - h / 2, cy + h / 2
    L.polygon([(cx, top), (cx + w / 2, bottom), (cx - w / 2, bottom)], face)
    L.line([(cx, top + 0.6), (cx + w / 2 - 0.6, bottom - 0.4), (cx - w / 2 + 0.6, bottom - 0.4),
            (cx, top + 0.6)], 1.2, face)
    L.rrect(cx - 1.1, top + h * 0.32, cx + 1.1, top + h * 0.68, 0.8, mark)
    L.circle(cx, top + h * 0.82, 1.2, mark)


def icon_calendar(L, x, y, s, c, bg):
    L.rrect(x, y + s * 0.12, x + s, y + s, s * 0.14, c)
    L.rect(x + s * 0.1, y + s * 0.36, x + s * 0.9, y + s * 0.9, bg)
    for col in range(3):
        for row in range(2):
            gx = x + s * (0.2 + col * 0.24)
            gy = y + s * (0.45 + row * 0.22)
            L.rect(gx, gy, gx + s * 0.14, gy + s * 0.12, c)
    L.rect(x + s * 0.22, y, x + s * 0.32, y + s * 0.24, c)
    L.rect(x + s * 0.68, y, x + s * 0.78, y + s * 0.24, c)


def icon_clock(L, cx, cy, s, c, bg):
    L.circle(cx, cy, s / 2, c)
    L.circle(cx, cy, s / 2 - s * 0.12, bg)
    L.line([(cx, cy - s * 0.28), (cx, cy), (cx + s * 0.2, cy + s * 0.1)], s * 0.1, c)


# --- seven-segment display glyphs ---------------------------------------------------------------
SEGMENTS = {
    "0": "abcdef", "1": "bc", "2": "abged", "3": "abgcd", "4": "fgbc", "5": "afgcd",
    "6": "afgedc", "7": "abc", "8": "abcdefg", "9": "abcdfg", "-": "g",
}


def seven_segment(L, x, y, w, h, t, lit, on, ghost, skew=0.07):
    """Draws a digit cell at (x, y, w, h) with stroke t: segments in `lit` in colour on, the rest
    faintly in ghost (None: not drawn). skew leans the cell to the right like a dashboard display."""
    gap = t * 0.22
    yb = y + h

    def xy(px, py):
        return (px + (yb - py) * skew, py)

    def horizontal(yc):
        x0, x1 = x + t / 2 + gap, x + w - t / 2 - gap
        return [xy(x0, yc), xy(x0 + t / 2, yc - t / 2), xy(x1 - t / 2, yc - t / 2), xy(x1, yc),
                xy(x1 - t / 2, yc + t / 2), xy(x0 + t / 2, yc + t / 2)]

    def vertical(xc, y0, y1):
        y0, y1 = y0 + gap, y1 - gap
        return [xy(xc, y0), xy(xc + t / 2, y0 + t / 2), xy(xc + t / 2, y1 - t / 2), xy(xc, y1),
                xy(xc - t / 2, y1 - t / 2), xy(xc - t / 2, y0 + t / 2)]

    top, mid, bottom = y + t / 2, y + h / 2, y + h - t / 2
    left, right = x + t / 2, x + w - t / 2
    shapes = {
        "a": horizontal(top), "g": horizontal(mid), "d": horizontal(bottom),
        "f": vertical(left, top, mid), "b": vertical(right, top, mid),
        "e": vertical(left, mid, bottom), "c": vertical(right, mid, bottom),
    }
    for name, points in shapes.items():
        if name in lit:
            L.polygon(points, on)
        elif ghost is not None:
            L.polygon(points, ghost)


def seven_segment_sign(L, x, y, w, h, t, sign, on, skew=0.07):
    """'+', '-' or '±' in the stroke of the digits beside it."""
    yb = y + h

    def xy(px, py):
        return (px + (yb - py) * skew, py)

    def bar(x0, y0, x1, y1):
        L.polygon([xy(x0, y0), xy(x1, y0), xy(x1, y1), xy(x0, y1)], on)

    cx, mid = x + w / 2, y + h / 2
    arm = w / 2 - t * 0.2
    if sign == "±":
        cy = y + h * 0.36
        arm = min(arm, h * 0.26)
        bar(cx - arm, cy - t / 2, cx + arm, cy + t / 2)
        bar(cx - t / 2, cy - arm, cx + t / 2, cy + arm)
        bar(cx - arm, y + h - t * 1.2, cx + arm, y + h - t * 0.2)
        return
    bar(cx - arm, mid - t / 2, cx + arm, mid + t / 2)
    if sign == "+":
        bar(cx - t / 2, mid - arm, cx + t / 2, mid + arm)


# --- tiny pixel font for the lap marks ---------------------------------------------------------
PIXEL_DIGITS = {
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."],
}


def pixel_digit(img, x, y, digit, colour):
    d = ImageDraw.Draw(img)
    for row, bits in enumerate(PIXEL_DIGITS[digit]):
        for col, bit in enumerate(bits):
            if bit == "#":
                d.point((x + col, y + row), fill=colour)
    return img


# --- PNG output --------------------------------------------------------------------------------
def _png_bytes(img, **options):
    buf = io.BytesIO()
    img.save(buf, "PNG", optimize=True, **options)
    return buf.getvalue()


def _palette_version(img):
    """The picture as an exact palette picture when it has at most 256 colours, else None."""
    colours = img.getcolors(256)
    if colours is None:
        return None
    flat = [v for _, c in colours for v in c]
    pal = Image.new("P", (1, 1))
    pal.putpalette(flat + [0] * (768 - len(flat)))
    p = img.quantize(palette=pal, dither=Image.Dither.NONE)
    if p.convert("RGB").tobytes() != img.tobytes():
        return None
    p.putpalette(flat)
    return p, len(colours)


def _close_palette_version(img, tolerance=2):
    """A 256-colour palette picture that no channel of any pixel differs from by more than
    tolerance, else None (smooth gradients and antialiased edges keep their true colours)."""
    p = img.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    back = p.convert("RGB")
    worst = max(abs(a - b) for a, b in zip(back.tobytes(), img.tobytes()))
    return p if worst <= tolerance else None


def png_bytes(img):
    """The smallest faithful PNG of an opaque picture: exact palette (packed to 1, 2 or 4 bits when
    it fits), a close 256-colour palette, or full colour."""
    img = img.convert("RGB")
    candidates = [_png_bytes(img)]
    exact = _palette_version(img)
    if exact is not None:
        p, count = exact
        bits = next(b for b in (1, 2, 4, 8) if count <= 1 << b)
        candidates.append(_png_bytes(p, bits=bits) if bits < 8 else _png_bytes(p))
    else:
        close = _close_palette_version(img)
        if close is not None:
            candidates.append(_png_bytes(close))
    best = min(candidates, key=len)
    back = Image.open(io.BytesIO(best)).convert("RGB")
    worst = max(abs(a - b) for a, b in zip(back.tobytes(), img.tobytes()))
    assert back.size == img.size and worst <= 2, "a written picture does not read back faithfully"
    return best
