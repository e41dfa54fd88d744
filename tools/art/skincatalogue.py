"""Every "IMAGE" resource of the viewer: its role, where it is drawn, its size and its painter."""
from dataclasses import dataclass
from typing import Callable

import skinkit as K
import skinparts as P


@dataclass
class Entry:
    id: int
    group: str
    role: str
    where: str
    size: tuple
    source: str
    paint: Callable


STATES = ("normal", "pressed", "disabled")


class Catalogue:
    def __init__(self):
        self.entries = []
        self.group = ""

    def add(self, id, role, where, size, source, paint):
        self.entries.append(Entry(id, self.group, role, where, tuple(size), source, paint))

    def button(self, ids, role, where, rect, base, face, at=None):
        """Normal, pressed and disabled faces of a button at rect (x, y at the reference size;
        at names the position when it follows the panel's width)."""
        x, y, w, h = rect
        at = at or f"({x}, {y})"
        for state, id in zip(STATES, ids):
            self.add(id, f"{role}, {state}", f"{where}, button at {at}", (w, h),
                     f"fixed: the button is {w} x {h}", lambda s=state: face(base(x, y, w, h), s))


def disc(icon, ring=False):
    return lambda base, state: P.disc_button(base, state, icon, ring)


def rect(content, radius=4):
    return lambda base, state: P.rect_button(base, state, content, radius)


def crop_of(panel):
    return lambda x, y, w, h: panel().crop((x, y, x + w, y + h))


def main_window(c):
    c.group = "Main window"
    H = P.WINDOW_H
    col = P.meter_piece
    c.add(218, "speed meter bezel, top", "main window background at (W - 209, 121); its first rows "
          "lie under the info panel", (209, P.METER_TOP_H),
          "chosen: column width 209; 12 rows reach from under the info panel past the meter's top "
          "at row 128", lambda: col("top"))
    c.add(219, "speed meter bezel, sides (tiled)", "main window background, repeated down the column "
          "below 218, the last copy cut", (209, P.METER_TILE_H),
          "chosen: width 209 as the column; any height tiles, 4 rows", lambda: col("tile"))
    c.add(220, "speed meter bezel, bottom", "main window background at (W - 209, H - 499 - 12), "
          "just above the stopwatch", (209, P.METER_BOTTOM_H),
          "chosen: width 209; 12 rows hold the bezel under the meter (which ends 7 rows above the "
          "stopwatch)", lambda: col("bottom"))
    c.add(284, "left border beside the video", "main window background, stretched to 21 x (H - 155) "
          "at (0, 0)", (21, H - 155), f"width fixed (21, the video starts at x 21); height chosen: "
          f"{H - 155} (H - 155) at the start size, so it is hardly stretched", lambda: P.left_strip(H - 155))
    c.add(285, "start-up picture (emblem and title)", "Animation window over the empty (white) "
          "video, centred", (227, 51), "fixed: the animation window is 227 x 51", P.startup_banner)


def console(c):
    c.group = "Console panel"
    W = P.WINDOW_W
    crop = P.console_crop
    c.add(223, "console background, left (transport buttons)", "console panel at (0, 0)",
          (250, 65), "fixed: 250 x 65, the left piece under the transport buttons", lambda: crop(0, 0, 250, 65))
    c.add(221, "console background, middle (timeline display)", "console panel, stretched between "
          "223 and 222", (8, 65), "chosen: 65 rows as the panel; any width stretches, 8 columns",
          lambda: crop(400, 0, 8, 65))
    c.add(222, "console background, right (end of the timeline, offset readout display)",
          "console panel at (width - 100, 0)", (100, 65),
          "chosen: 65 rows; 100 columns reach left of the position bar's end (width - 95) and "
          "hold the readout from width - 83", lambda: crop(W - 100, 0, 100, 65))
    disabled = lambda: P.console_panel(W, False)  # noqa: E731
    c.add(424, "console background, middle when disabled (image mode)", "console panel, stretched "
          "from x 188 to width - 100", (8, 65), "chosen: as 221",
          lambda: disabled().crop((400, 0, 408, 65)))
    c.add(425, "console background, right when disabled (readout display only)", "console panel "
          "at (width - 100, 0)", (100, 65), "chosen: as 222",
          lambda: disabled().crop((W - 100, 0, W, 65)))
    where = "console panel"
    c.button((10015, 10016, 10017), "play", where, (23, 11, 40, 40), crop, disc(K.icon_play, True))
    c.button((10034, 10035, 10033), "pause (play button while playing)", where, (23, 11, 40, 40),
             crop, disc(K.icon_pause, True))
    c.button((10018, 10019, 10020), "stop", where, (67, 18, 26, 26), crop, disc(K.icon_stop))
    c.button((10009, 10010, 10011), "previous recording", where, (107, 17, 30, 30), crop,
             disc(lambda L, x, y, s, col: K.icon_skip(L, x, y, s, col, -1)))
    c.button((10012, 10013, 10014), "next recording", where, (140, 17, 30, 30), crop,
             disc(lambda L, x, y, s, col: K.icon_skip(L, x, y, s, col, 1)))
    step = lambda d: rect(P.icon_content(  # noqa: E731
        lambda L, x, y, s, col: K.icon_frame_step(L, x, y, s, col, d), 1.0), radius=5)
    c.button((10003, 10004, 10005), "frame back / previous chapter", where, (198, 22, 22, 22), crop,
             step(-1))
    c.button((10006, 10007, 10008), "frame forward / next chapter", where, (220, 22, 22, 22), crop,
             step(1))


def position_bar(c):
    c.group = "Position bar and marks"
    bar = "position bar (console panel at (249, 26), height 30)"
    c.add(10027, "position bar channel (groove still to play)", f"{bar}, three-slice: ends "
          f"{P.BAR_THUMB_W // 2} columns, middle stretched", (P.CHANNEL_W, P.BAR_H),
          f"height fixed (30, the bar); width chosen: wider than the thumb ({P.BAR_THUMB_W}) as "
          "three-slice drawing needs", lambda: P.bar_channel(False))
    c.add(295, "position bar, played part", f"{bar}, three-slice left of the thumb",
          (P.CHANNEL_W, P.BAR_H), "as 10027", lambda: P.bar_channel(True))
    c.add(10031, "position bar thumb", f"{bar}, at (thumb x, 0)", (P.BAR_THUMB_W, P.BAR_H),
          "height fixed (30); width chosen: even, so its halves stand exactly over the played part and "
          "the channel",
          P.bar_thumb)
    marks = "position bar, top at y 11, centred 2 columns right of the frame it marks"
    mark_source = ("chosen: 9 x 12 tags that cover the groove (rows 12..17 of the bar) so they read "
                   "the same over the played and the unplayed part")
    c.add(115, "stopwatch start mark", f"{marks} (continuous mode)", (9, 12), mark_source,
          P.start_mark)
    c.add(116, "stopwatch end mark", f"{marks} (continuous mode)", (9, 12), mark_source, P.end_mark)
    for n, id in enumerate((117, 118, 119, 120, 121, 122, 123, 127, 128), start=1):
        c.add(id, f"stopwatch lap {n} mark", f"{marks} (continuous mode)", (9, 12), mark_source,
              lambda n=n: P.lap_mark(n))
    det_source = "chosen: 11 x 14, a little larger than the stopwatch marks, covering the groove"
    c.add(10029, "detection marker, kind code 1 (automatic)", marks, (11, 14), det_source,
          lambda: P.detection_mark(False))
    c.add(10030, "detection marker, kind code 2 (manual)", marks, (11, 14), det_source,
          lambda: P.detection_mark(True))


def glyphs(c, glyph_set, chars, ids, role, where, source):
    for ch, id in zip(chars, ids):
        c.add(id, f"{role} \"{ch}\"", where, (glyph_set.width(ch), glyph_set.height), source,
              lambda ch=ch: glyph_set.draw(ch))


def readouts(c):
    c.group = "Offset readout"
    g = P.OFFSET_GLYPHS
    glyphs(c, g, "0123456789.-+±", list(range(237, 247)) + [247, 248, 249, 236],
           "offset readout glyph", "console panel, from (width - 83, 26), each advancing by its "
           "width", "chosen: 28 rows centre the 19-row digits on the readout display; "
           "\"+123.4\" (the widest text) fits in the 80 columns left")
    c.group = "Date and time glyphs"
    glyphs(c, P.DATE_GLYPHS, "0123456789-/", list(range(225, 235)) + [235, 224], "date glyph",
           "info panel, \"yyyy/mm/dd\" from (62, 20)",
           "chosen: 19 rows end above the time at row 43; the date fits in 122 columns")
    glyphs(c, P.TIME_GLYPHS, "0123456789-:", list(range(251, 261)) + [250, 261], "time glyph",
           "info panel, \"hh:mm:ss\" from (20, 43)",
           "chosen: 34 rows end above the kind label at row 85; the time fits in 168 columns")


def info(c):
    c.group = "Info panel"
    c.add(10026, "info panel background (date and time display)", "info panel at (0, 0)",
          (209, 125), "fixed: the panel is 209 x 125", P.info_panel)
    labels = ((287, "検知なし", "kind code 0 (nothing detected)", "none"),
              (288, "オート記録", "kind code 1 (automatic recording)", "event"),
              (286, "マニュアル記録", "kind code 2 (manual recording)", "event"),
              (430, "画像記録", "kind code 11 (image recording)", "mode"),
              (429, "連続記録", "kind code 12 (continuous recording)", "mode"))
    for id, word, role, style in labels:
        c.add(id, f"kind label {word}, {role}", "info panel at (70, 85)",
              (P.KIND_LABEL_W, P.KIND_LABEL_H), "chosen: 80 columns end where the warning icon "
              "starts (150); 20 rows fit under the display", lambda w=word, s=style: P.kind_label(w, s))
    c.add(408, "warning icon (the recording carries the recorder's flag)", "info panel at (150, 85)",
          (P.WARNING_W, P.WARNING_H), "chosen: as tall as the kind label beside it",
          P.warning_icon)


def config(c):
    c.group = "Config panel"
    c.add(10024, "config panel background", "config panel at (0, 0)", (209, 90),
          "fixed: the panel is 209 x 90", P.config_panel)
    slider = "config panel, slider at (40, {}) of 151 x 16, drawn at its own size"
    c.add(403, "volume slider channel (levels 0..16)", slider.format(8), (P.SLIDER_W, P.SLIDER_H),
          "fixed: the slider is 151 x 16", P.volume_channel)
    c.add(10001, "brightness slider channel (0.1..5.0)", slider.format(26),
          (P.SLIDER_W, P.SLIDER_H), "fixed: the slider is 151 x 16", P.brightness_channel)
    c.add(291, "slider thumb (volume and brightness)", "both config sliders, at (thumb x, 0)",
          (P.SLIDER_THUMB_W, P.SLIDER_H), "height fixed (16); width chosen: a narrow grip leaving 142 columns of travel", P.slider_thumb)
    base = crop_of(P.config_panel)
    c.add(290, "volume reset (to standard), normal", "config panel, button at (13, 6)", (17, 15),
          "fixed: the button is 17 x 15",
          lambda: P.reset_icon(base(13, 6, 17, 15), K.icon_speaker, True))
    c.add(431, "volume reset, disabled (image mode)", "config panel, button at (13, 6)", (17, 15),
          "fixed: the button is 17 x 15", lambda: P.reset_icon(base(13, 6, 17, 15), K.icon_speaker, False))
    c.add(289, "brightness reset (to standard)", "config panel, button at (13, 25)", (16, 16),
          "fixed: the button is 16 x 16", lambda: P.reset_icon(base(13, 25, 16, 16), K.icon_sun, True))
    folder = lambda L, x, y, s, col: K.icon_folder(L, x, y, s, col, (46, 51, 59))  # noqa: E731
    c.button((10021, 10022, 10023), "open folder", "config panel", (57, 47, 102, 28), base,
             rect(P.label_content("開く", 13, folder, 17)))


def stopwatch(c):
    c.group = "Stopwatch"
    c.add(105, "stopwatch background (bezel of the time display)", "stopwatch at (0, 0)", (209, 89),
          "fixed: the stopwatch is 209 x 89", P.stopwatch_panel)
    base = crop_of(P.stopwatch_panel)
    c.button((106, 109, 110), "start/stop", "stopwatch", (12, 36, 93, 24), base,
             rect(P.label_content("START/STOP", 10.5)))
    c.button((107, 111, 112), "lap/reset", "stopwatch", (104, 36, 91, 24), base,
             rect(P.label_content("LAP/RESET", 10.5)))
    c.button((108, 113, 114), "lap list", "stopwatch", (12, 61, 184, 24), base,
             rect(P.label_content("LAP LIST", 10.5)))


def charts(c):
    c.group = "Charts"
    W = P.WINDOW_W
    c.add(10040, "circle chart frame", "circle chart at (0, 0); the plot covers (14, 7, 180, 151)",
          (209, 165), "fixed: the chart is 209 x 165", P.circle_chart_frame)
    frame = lambda: P.line_chart_frame(W)  # noqa: E731
    c.add(359, "line chart frame, left", "line chart at (0, 0)", (20, 90),
          "chosen: 90 rows as the chart; 20 columns end where the plot starts",
          lambda: frame().crop((0, 0, 20, 90)))
    c.add(360, "line chart frame, middle", "line chart, stretched between 359 and 361", (8, 90),
          "chosen: 90 rows; any width stretches", lambda: frame().crop((400, 0, 408, 90)))
    c.add(361, "line chart frame, right", "line chart at (width - 25, 0)", (25, 90),
          "chosen: 90 rows; 25 columns begin where the plot ends (plot width = width - 45)",
          lambda: frame().crop((W - 25, 0, W, 90)))


def thumbnails(c):
    c.group = "Thumbnail strip"
    W = P.WINDOW_W
    strip = lambda: P.thumbnail_strip(W)  # noqa: E731
    c.add(426, "thumbnail strip background, left (first/previous buttons)", "thumbnail strip at "
          "(0, 0)", (76, 90), "chosen: 90 rows as the strip; 76 columns hold both left buttons",
          lambda: strip().crop((0, 0, 76, 90)))
    c.add(427, "thumbnail strip background, middle", "thumbnail strip, stretched between 426 and 428", (8, 90),
          "chosen: 90 rows; any width stretches", lambda: strip().crop((400, 0, 408, 90)))
    c.add(428, "thumbnail strip background, right (next/last buttons)", "thumbnail strip at "
          "(width - 76, 0)", (76, 90), "chosen: as 426", lambda: strip().crop((W - 76, 0, W, 90)))
    right = lambda x, y, w, h: strip().crop((x, y, x + w, y + h))  # noqa: E731
    arrows = (((442, 443, 444), "first picture", 6, lambda d: K.icon_to_end, -1),
              ((436, 437, 438), "previous picture", 39, lambda d: K.icon_arrow, -1),
              ((433, 434, 435), "next picture", W - 69, lambda d: K.icon_arrow, 1),
              ((439, 440, 441), "last picture", W - 36, lambda d: K.icon_to_end, 1))
    for ids, role, x, icon, d in arrows:
        draw = lambda L, cx, cy, s, col, f=icon(d), d=d: f(L, cx, cy, s, col, d)  # noqa: E731
        at = f"(width - {W - x}, 31)" if x > W // 2 else None
        c.button(ids, role, "thumbnail strip", (x, 31, 30, 30), right, disc(draw), at=at)
    c.add(447, "thumbnail of a picture that cannot be decoded", "thumbnail list (image list of "
          "71 x 53 pictures)", (71, 53), "fixed: the thumbnails are 71 x 53",
          P.thumbnail_placeholder)


def catalogue():
    c = Catalogue()
    for part in (main_window, console, position_bar, readouts, info, config, stopwatch, charts,
                 thumbnails):
        part(c)
    return c.entries
