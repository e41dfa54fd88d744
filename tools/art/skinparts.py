"""The viewer's panels and the pictures drawn on them.

Panel renderers draw a whole panel at a given width; the resource pictures are cut from them or
drawn over a cut of them, so every button face, glyph and mark carries exactly the panel pixels it
covers when the viewer copies it opaquely onto the screen."""
from PIL import Image, ImageDraw

import skinkit as K
from skinkit import Layer

# Reference client size of the main window (its start size on the target systems).
WINDOW_W, WINDOW_H = 870, 663

# --- the console panel (transport strip), 65 rows --------------------------------------------
CONSOLE_H = 65
TIMELINE_X = 246            # left edge of the timeline display, just before the position bar at 249
READOUT_WELL_FROM_RIGHT = 89  # the readout display when the timeline is hidden
BAR_Y, BAR_H = 26, 30       # the position bar's rows inside the console
GROOVE_TOP, GROOVE_BOTTOM = 12, 18  # the bar's groove rows (bar coordinates, bottom exclusive)


def console_panel(w, enabled):
    img = K.vertical_gradient(w, CONSOLE_H, [(0, (10, 11, 13)), (1, (62, 68, 78)), (2, (46, 51, 59)),
                                               (63, (23, 26, 31)), (64, (10, 11, 13))])
    K.groove_rule(img, 100, 14, 50)
    K.groove_rule(img, 184, 14, 50)
    if enabled:
        img = K.inset_well(img, TIMELINE_X, 20, w - 3, 60)
        d = ImageDraw.Draw(img)
        d.line((w - 91, 24, w - 91, 55), fill=K.WELL_RIM_DARK)
        d.line((w - 90, 24, w - 90, 55), fill=(30, 34, 40))
    else:
        img = K.inset_well(img, w - READOUT_WELL_FROM_RIGHT, 20, w - 3, 60)
    return img


def console_crop(x, y, w, h):
    return console_panel(WINDOW_W, True).crop((x, y, x + w, y + h))


# --- the thumbnail strip of the image mode, 90 rows ------------------------------------------
STRIP_H = 90


def thumbnail_strip(w):
    img = K.vertical_gradient(w, STRIP_H, [(0, (10, 11, 13)), (1, (62, 68, 78)), (2, (44, 49, 57)),
                                             (88, (22, 25, 30)), (89, (10, 11, 13))])
    img = K.inset_well(img, 2, 27, 74, 66, radius=19, fill=(16, 18, 22))
    return K.inset_well(img, w - 74, 27, w - 2, 66, radius=19, fill=(16, 18, 22))


# --- the line chart's frame, 90 rows; the chart draws its plot at (20, 7), (w - 45) x 72 -------
def line_chart_frame(w):
    img = K.module_edges(K.solid(w, STRIP_H, K.PANEL))
    return K.inset_well(img, 18, 5, w - 23, 81, radius=2, fill=(0, 0, 0))


# --- right-hand column modules, 209 wide ------------------------------------------------------
COLUMN_W = 209


def info_panel():
    img = K.module_edges(K.solid(COLUMN_W, 125, K.PANEL))
    img = K.inset_well(img, 12, 12, 197, 83)
    L = Layer(*img.size)
    dim = (62, 68, 78)
    K.icon_calendar(L, 40, 21, 15, dim, K.WELL)
    return L.onto(img)


def speed_meter_column(h):
    """The column between the info panel (from row 121) and the stopwatch: a bezel around the
    speed meter, which covers columns 14..192 from row 7 to row h - 8."""
    img = K.solid(COLUMN_W, h, K.PANEL)
    return K.inset_well(img, 12, 5, 195, h - 5, radius=2, fill=(0, 0, 0))


METER_TOP_H, METER_TILE_H, METER_BOTTOM_H = 12, 4, 12


def meter_piece(which):
    column = speed_meter_column(WINDOW_H - 90 - 409 - 121)
    if which == "top":
        return column.crop((0, 0, COLUMN_W, METER_TOP_H))
    if which == "tile":
        return column.crop((0, METER_TOP_H, COLUMN_W, METER_TOP_H + METER_TILE_H))
    return column.crop((0, column.height - METER_BOTTOM_H, COLUMN_W, column.height))


def left_strip(h):
    img = Image.new("RGB", (21, h))
    d = ImageDraw.Draw(img)
    for x in range(21):
        d.line((x, 0, x, h - 1), fill=K.mix((36, 40, 47), (22, 25, 30), x / 19) if x < 20 else (6, 7, 9))
    d.line((9, 0, 9, h - 1), fill=(18, 20, 24))
    d.line((10, 0, 10, h - 1), fill=(48, 53, 61))
    return img


def stopwatch_panel():
    img = K.module_edges(K.solid(COLUMN_W, 89, K.PANEL))
    return K.inset_well(img, 13, 5, 196, 36, radius=2, fill=(0, 0, 0))


def circle_chart_frame():
    img = K.module_edges(K.solid(COLUMN_W, 165, K.PANEL))
    return K.inset_well(img, 12, 5, 196, 160, radius=2, fill=(0, 0, 0))


def config_panel():
    return K.module_edges(K.solid(COLUMN_W, 90, K.PANEL))


# --- button faces --------------------------------------------------------------------------
FACE = {
    "normal": dict(bevel=((120, 128, 140), (22, 25, 29)), face=((72, 79, 90), (38, 42, 49)),
                   icon=K.ICON, ring=K.ACCENT, drop=0.0),
    "pressed": dict(bevel=((14, 16, 19), (84, 91, 102)), face=((22, 25, 29), (36, 40, 46)),
                    icon=K.ACCENT, ring=K.ACCENT_DEEP, drop=1.0),
    "disabled": dict(bevel=((54, 58, 65), (30, 33, 38)), face=((42, 46, 52), (38, 41, 47)),
                     icon=K.ICON_DISABLED, ring=(66, 70, 77), drop=0.0),
}


def disc_button(base, state, icon, ring=False):
    """A round button: a recessed rim, a bevel lit from above (from below when pressed), the face
    and its icon; icon(layer, cx, cy, size, colour) draws the symbol."""
    s = base.width
    f = FACE[state]
    c = s / 2
    L = Layer(s, s)
    L.circle(c, c, c, (5, 6, 8))
    L.shaded(K.ellipse_mask(c, c, c - 1), *f["bevel"])
    inner = c - 2
    if ring:
        L.circle(c, c, inner, f["ring"])
        inner -= 2
    L.shaded(K.ellipse_mask(c, c, inner), *f["face"], y0=c - inner, y1=c + inner)
    icon(L, c, c + f["drop"], s, f["icon"])
    return L.onto(base)


def rect_button(base, state, content, radius=4):
    """A rounded rectangular button; content(layer, w, h, colour, drop) draws its label."""
    w, h = base.size
    f = FACE[state]
    L = Layer(w, h)
    L.rrect(0, 0, w, h, radius, (5, 6, 8))
    L.shaded(K.rrect_mask(1, 1, w - 1, h - 1, radius - 1), *f["bevel"])
    L.shaded(K.rrect_mask(2, 2, w - 2, h - 2, max(radius - 2, 1)), *f["face"], y0=2, y1=h - 2)
    content(L, w, h, f["icon"], f["drop"])
    return L.onto(base)


def label_content(text, px, icon=None, icon_w=0):
    """A button label: optional icon, then text, centred together."""
    def draw(L, w, h, colour, drop):
        japanese = any(ord(ch) > 0x2000 for ch in text)
        fnt = K.font(K.FONT_JP if japanese else K.FONT_BOLD, px)
        tw = L.text_width(text, fnt)
        gap = 5 if icon else 0
        x = (w - (icon_w + gap + tw)) / 2
        cy = h / 2 + drop
        if icon:
            icon(L, x + icon_w / 2, cy, icon_w, colour)
        L.text(x + icon_w + gap, cy + 0.5, text, fnt, colour, anchor="lm", weight=0.3 if japanese else 0)
    return draw


def icon_content(icon, scale):
    def draw(L, w, h, colour, drop):
        icon(L, w / 2, h / 2 + drop, min(w, h) * scale, colour)
    return draw


# --- the position bar (30 rows, on the timeline display) -------------------------------------
CHANNEL_W, BAR_THUMB_W = 28, 14


def bar_channel(played):
    img = K.solid(CHANNEL_W, BAR_H, K.WELL)
    L = Layer(*img.size)
    top, bottom = GROOVE_TOP, GROOVE_BOTTOM
    r = (bottom - top) / 2
    if played:
        L.shaded(K.rrect_mask(1, top, CHANNEL_W + 8, bottom, r), (255, 190, 80), (214, 124, 10),
                 y0=top, y1=bottom)
    else:
        L.rrect(1, top, CHANNEL_W - 1, bottom, r, (3, 4, 5))
        L.shaded(K.rrect_mask(1, top + 1, CHANNEL_W - 1, bottom, r), (40, 44, 51), (58, 64, 73),
                 y0=top, y1=bottom)
    return L.onto(img)


def bar_thumb():
    """The thumb stands where the played part (left half) meets the channel (right half)."""
    half = BAR_THUMB_W // 2
    played, rest = bar_channel(True), bar_channel(False)
    base = Image.new("RGB", (BAR_THUMB_W, BAR_H))
    mid = CHANNEL_W // 2
    for x in range(BAR_THUMB_W):
        src = played if x < half else rest
        base.paste(src.crop((mid, 0, mid + 1, BAR_H)), (x, 0))
    L = Layer(BAR_THUMB_W, BAR_H)
    L.rrect(2, 4, 12, 26, 3, (4, 5, 6))
    L.shaded(K.rrect_mask(2.7, 4.7, 11.3, 25.3, 2.5), (246, 248, 251), (150, 157, 168), y0=4, y1=26)
    for y in (11.5, 14.5, 17.5):
        L.rect(4.5, y, 9.5, y + 1, (110, 116, 126))
    return L.onto(base)


def mark_badge(content):
    """A stopwatch mark: a small light tag that covers the groove where it stands."""
    img = K.solid(9, 12, K.WELL)
    L = Layer(9, 12)
    L.rrect(0, 0, 9, 12, 1.2, (232, 235, 240))
    img = L.onto(img)
    return content(img)


def lap_mark(n):
    return mark_badge(lambda img: K.pixel_digit(img, 2, 2, str(n), (18, 20, 24)))


def start_mark():
    def draw(img):
        L = Layer(9, 12)
        L.polygon([(2.5, 2.5), (7.5, 6), (2.5, 9.5)], (18, 20, 24))
        return L.onto(img)
    return mark_badge(draw)


def end_mark():
    def draw(img):
        L = Layer(9, 12)
        L.rect(2, 3.5, 7, 8.5, (18, 20, 24))
        return L.onto(img)
    return mark_badge(draw)


def detection_mark(manual):
    img = K.solid(11, 14, K.WELL)
    L = Layer(11, 14)
    L.rrect(0, 0, 11, 14, 1.5, (250, 92, 84))
    L.shaded(K.rrect_mask(0.8, 0.8, 10.2, 13.2, 1.2), (236, 58, 52), (182, 28, 28))
    if manual:
        L.circle(5.5, 7, 3.6, K.WHITE)
        L.circle(5.5, 7, 2.4, (200, 40, 38))
        L.circle(5.5, 7, 1.4, K.WHITE)
    else:
        L.rrect(4.4, 2.4, 6.6, 8.6, 0.8, K.WHITE)
        L.circle(5.5, 10.7, 1.2, K.WHITE)
    return L.onto(img)


# --- the config panel's sliders (151 x 16, drawn at their own size) ---------------------------
SLIDER_W, SLIDER_H, SLIDER_THUMB_W = 151, 16, 9


def volume_channel():
    img = K.solid(SLIDER_W, SLIDER_H, K.PANEL)
    L = Layer(SLIDER_W, SLIDER_H)
    L.polygon([(4, 12.5), (147, 3), (147, 13), (4, 13)], (8, 9, 11))
    L.shaded(lambda d: d.polygon([(4.5 * K.SS, 12.3 * K.SS), (146.5 * K.SS, 4 * K.SS),
                                  (146.5 * K.SS, 12.3 * K.SS)], fill=255), (150, 158, 170), (74, 80, 90))
    for k in range(1, 16):
        x = 4.5 + k * (142 / 16)
        L.rect(x, 3, x + 1, 14, K.PANEL)
    return L.onto(img)


def brightness_channel():
    img = K.solid(SLIDER_W, SLIDER_H, K.PANEL)
    L = Layer(SLIDER_W, SLIDER_H)
    L.rrect(4, 5.5, 147, 11.5, 3, (6, 7, 9))
    ramp = Image.new("RGB", (SLIDER_W * K.SS, 1))
    for x in range(ramp.width):
        ramp.putpixel((x, 0), K.mix((22, 22, 24), (245, 240, 226), x / (ramp.width - 1)))
    mask = Image.new("L", L.img.size, 0)
    K.rrect_mask(5, 6.5, 146, 11, 2.2)(ImageDraw.Draw(mask))
    ramp = ramp.resize(L.img.size).convert("RGBA")
    ramp.putalpha(mask)
    L.img.alpha_composite(ramp)
    return L.onto(img)


def slider_thumb():
    img = K.solid(SLIDER_THUMB_W, SLIDER_H, K.PANEL)
    L = Layer(SLIDER_THUMB_W, SLIDER_H)
    L.rrect(0, 0, 9, 16, 2, (4, 5, 6))
    L.shaded(K.rrect_mask(0.7, 0.7, 8.3, 15.3, 1.6), (244, 246, 250), (146, 153, 164), y0=0, y1=16)
    L.rect(4, 4, 5, 12, K.ACCENT_DEEP)
    return L.onto(img)


# --- glyph sets -------------------------------------------------------------------------------
class GlyphSet:
    """Digits and signs of one readout: the same height and stroke, drawn on the display glass.
    digit_w is the lit cell, advance the glyph's width (the readouts advance by glyph width)."""

    def __init__(self, height, digit_w, advance, stroke, top, digit_h, narrow, signs=""):
        self.height, self.digit_w, self.advance = height, digit_w, advance
        self.stroke, self.top, self.digit_h, self.narrow = stroke, top, digit_h, narrow
        self.signs = signs  # characters drawn as signs; the others stand in a digit's place

    def ghost(self):
        return K.mix(K.WELL, K.ACCENT, 0.06)

    def width(self, ch):
        return self.narrow if ch in "./:" else self.advance

    def draw(self, ch):
        w = self.width(ch)
        img = K.solid(w, self.height, K.WELL)
        L = Layer(w, self.height)
        x0, y0, t, dh = 0.6, self.top, self.stroke, self.digit_h
        if ch in self.signs:
            K.seven_segment_sign(L, x0, y0, self.digit_w, dh, t, ch, K.ACCENT)
        elif ch in K.SEGMENTS:
            K.seven_segment(L, x0, y0, self.digit_w, dh, t, K.SEGMENTS[ch], K.ACCENT, self.ghost())
        elif ch in "+±":
            K.seven_segment_sign(L, x0, y0, self.digit_w, dh, t, ch, K.ACCENT)
        elif ch == ".":
            cx = w / 2 - 0.4
            L.rect(cx - t / 2, y0 + dh - t, cx + t / 2, y0 + dh, K.ACCENT)
        elif ch == ":":
            cx = w / 2 + 0.6
            for fy in (0.3, 0.72):
                cy = y0 + dh * fy
                L.rect(cx - t / 2, cy - t / 2, cx + t / 2, cy + t / 2, K.ACCENT)
        elif ch == "/":
            skew = 0.07 * dh
            L.polygon([(1, y0 + dh), (1 + t * 1.1, y0 + dh), (w - 1.2 + skew * 0.0, y0),
                       (w - 1.2 - t * 1.1, y0)], K.ACCENT)
        return L.onto(img)


# Date "yyyy/mm/dd" from (62, 20) and time "hh:mm:ss" from (20, 43) on the info panel; the
# offset readout "±00.0" from (w - 83, 26) on the console.
DATE_GLYPHS = GlyphSet(height=19, digit_w=10, advance=13, stroke=2.4, top=0, digit_h=19, narrow=9)
TIME_GLYPHS = GlyphSet(height=34, digit_w=19, advance=24, stroke=3.8, top=0, digit_h=34, narrow=12)
OFFSET_GLYPHS = GlyphSet(height=28, digit_w=10, advance=13, stroke=2.4, top=5, digit_h=19, narrow=6,
                         signs="-+±")


# --- the info panel's labels and icon ---------------------------------------------------------
KIND_LABEL_W, KIND_LABEL_H = 80, 20
WARNING_W, WARNING_H = 22, 20


def kind_label(word, style):
    """A tag with the recording kind: filled amber for a detected event, outlined amber for the
    recording modes, grey when nothing was detected."""
    img = K.solid(KIND_LABEL_W, KIND_LABEL_H, K.PANEL)
    L = Layer(KIND_LABEL_W, KIND_LABEL_H)
    w, h = KIND_LABEL_W, KIND_LABEL_H
    if style == "event":
        L.shaded(K.rrect_mask(0, 0, w, h, 4), (255, 184, 64), (226, 136, 12))
        colour = (24, 18, 8)
    else:
        edge = K.ACCENT if style == "mode" else (104, 110, 120)
        L.rrect(0, 0, w, h, 4, edge)
        L.rrect(1.2, 1.2, w - 1.2, h - 1.2, 3, (20, 22, 27))
        colour = K.ACCENT if style == "mode" else (170, 176, 186)
    fnt = K.font(K.FONT_JP, 12)
    room = w - 10
    tw = L.text_width(word, fnt)
    L.text(w / 2, h / 2 + 0.5, word, fnt, colour, stretch=min(1.0, room / tw), weight=0.25)
    return L.onto(img)


def warning_icon():
    img = K.solid(WARNING_W, WARNING_H, K.PANEL)
    L = Layer(WARNING_W, WARNING_H)
    K.icon_warning(L, WARNING_W / 2, WARNING_H / 2, WARNING_W - 1.5, WARNING_H - 1.5, K.ACCENT,
                   (22, 16, 6))
    return L.onto(img)


# --- the config panel's reset icons -----------------------------------------------------------
def reset_icon(base, icon, enabled):
    """A flat icon on the panel: the reset buttons are drawn without an edge."""
    w, h = base.size
    L = Layer(w, h)
    icon(L, w / 2, h / 2, min(w, h) - 1, (214, 219, 226) if enabled else K.ICON_DISABLED)
    return L.onto(base)


# --- pictures on white or in the list view ----------------------------------------------------
def startup_banner():
    """The start-up picture over the empty (white) video window: the emblem and the title."""
    w, h = 227, 51
    img = K.solid(w, h, K.WHITE)
    L = Layer(w, h)
    L.rrect(0, 0, w, h, 11, (190, 194, 200))
    L.shaded(K.rrect_mask(1, 1, w - 1, h - 1, 10), (50, 55, 64), (18, 20, 24))
    cx, cy = 27, 25.5
    L.circle(cx, cy, 17, (92, 99, 110))
    L.circle(cx, cy, 15.5, (12, 14, 17))
    L.circle(cx, cy, 12.5, K.ACCENT)
    L.circle(cx, cy, 10.5, (16, 20, 26))
    L.circle(cx, cy, 6.5, (34, 70, 96))
    L.circle(cx, cy, 3.5, (6, 10, 14))
    L.circle(cx - 4.5, cy - 4.5, 2.2, (230, 240, 250))
    L.circle(cx + 12, cy - 12.5, 2.3, K.ALERT)
    fnt = K.font(K.FONT_WORDMARK, 19)
    L.text(54, 22, "Tarvo_Viewer", fnt, K.ICON, anchor="lm")
    L.rect(55, 35, 105, 37, K.ACCENT)
    L.rect(107, 35, 212, 36, (86, 93, 104))
    return L.onto(img)


def thumbnail_placeholder():
    """Shown in place of a picture that cannot be decoded: an empty frame with a cracked picture."""
    w, h = 71, 53
    img = K.solid(w, h, (26, 29, 34))
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, w - 1, h - 1), outline=(58, 64, 73))
    L = Layer(w, h)
    grey, dark = (112, 118, 128), (26, 29, 34)
    L.rrect(20, 12, 51, 38, 2, grey)
    L.rect(22, 14, 49, 36, dark)
    L.polygon([(22, 36), (30, 25), (35, 31), (40, 24), (49, 36)], grey)
    L.circle(44, 19, 2.4, grey)
    L.line([(37, 10), (33, 20), (38, 27), (32, 41)], 2.2, dark)
    L.line([(37, 10), (33, 20), (38, 27), (32, 41)], 0.9, K.ALERT)
    return L.onto(img)
