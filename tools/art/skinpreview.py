"""The skin put together: the main window at its start size in the start-up state and in the three
display modes, placed by the panels' layout rules, with stand-ins for what the code draws itself
(video picture, speed, charts, stopwatch text, thumbnails). For review only."""
import math

from PIL import Image, ImageDraw, ImageFont

import skinkit as K
import skinparts as P

W, H = P.WINDOW_W, P.WINDOW_H
BUTTON_FACE = (212, 208, 200)


class Window:
    def __init__(self, pictures):
        self.pics = pictures
        self.img = Image.new("RGB", (W, H), BUTTON_FACE)
        self.y = H - 90  # top of the bottom strip

    # The drawing forms of the picture class: at its size, stretched, three pieces.
    def at(self, id, x, y, into=None):
        (into or self.img).paste(self.pics[id], (x, y))

    def stretched(self, id, x, y, w, h, into=None):
        if w > 0 and h > 0:
            (into or self.img).paste(self.pics[id].resize((w, h), Image.NEAREST), (x, y))

    def three(self, left, middle, right, x, y, w, into=None):
        lw, rw = self.pics[left].width, self.pics[right].width
        self.at(left, x, y, into)
        self.at(right, x + w - rw, y, into)
        self.stretched(middle, x + lw, y, w - lw - rw, self.pics[middle].height, into)

    def glyphs(self, text, mapping, x, y, into=None):
        for ch in text:
            if ch in mapping:
                self.at(mapping[ch], x, y, into)
                x += self.pics[mapping[ch]].width

    def panel(self, x, y, w, h):
        return self.img.crop((x, y, x + w, y + h)), (x, y)

    def put(self, panel):
        img, origin = panel
        self.img.paste(img, origin)


DATE = dict(zip("0123456789-/", list(range(225, 235)) + [235, 224]))
TIME = dict(zip("0123456789-:", list(range(251, 261)) + [250, 261]))
OFFSET = dict(zip("0123456789.-+±", list(range(237, 247)) + [247, 248, 249, 236]))
KIND_LABEL = {0: 287, 1: 288, 2: 286, 11: 430, 12: 429}


def background(win):
    x = W - 209
    bottom = H - win.pics[220].height - 499
    win.at(220, x, bottom)
    win.at(218, x, 121)
    y = 121 + win.pics[218].height
    while y < bottom:
        h = min(win.pics[219].height, bottom - y)
        win.img.paste(win.pics[219].crop((0, 0, 209, h)), (x, y))
        y += h
    win.stretched(284, 0, 0, 21, H - 155)


def road_picture(w, h):
    """A stand-in for a recorded frame: a road at dusk."""
    img = K.vertical_gradient(w, h, [(0, (70, 96, 140)), (int(h * 0.45), (214, 170, 126)),
                                     (int(h * 0.46), (58, 66, 60)), (h - 1, (34, 38, 36))])
    d = ImageDraw.Draw(img)
    hz = int(h * 0.46)
    d.polygon([(w * 0.47, hz), (w * 0.53, hz), (w * 0.95, h), (w * 0.05, h)], fill=(72, 74, 78))
    for k in range(6):
        t0, t1 = (k / 6) ** 1.6, ((k + 0.5) / 6) ** 1.6
        y0, y1 = hz + (h - hz) * t0, hz + (h - hz) * t1
        d.polygon([(w / 2 - 1 - 5 * t0, y0), (w / 2 + 1 + 5 * t0, y0), (w / 2 + 1 + 5 * t1, y1),
                   (w / 2 - 1 - 5 * t1, y1)], fill=(236, 232, 210))
    d.rectangle((w * 0.56, hz - 30, w * 0.66, hz + 8), fill=(40, 44, 52))
    d.rectangle((w * 0.57, hz - 4, w * 0.59, hz + 1), fill=(240, 60, 50))
    d.rectangle((w * 0.63, hz - 4, w * 0.65, hz + 1), fill=(240, 60, 50))
    return img


def player(win, state):
    x, y, w, h = 21, 0, W - 230, win.y - 65
    win.img.paste((255, 255, 255), (x, y, x + w, y + h))
    if state == "startup":
        win.at(285, x + (W - 457) // 2, y + (win.y - 116) // 2)
        return
    tw, th = (w, w * 480 // 640) if w / 640 < h / 480 else (h * 640 // 480, h)
    win.img.paste(road_picture(tw, th), (x + (w - tw) // 2, y + (h - th) // 2))


def info(win, state, kind):
    panel, origin = win.panel(W - 209, 0, 209, 125)
    win.at(10026, 0, 0, panel)
    if state == "startup":
        date, time = "----/--/--", "--:--:--"
    else:
        date, time = "2024/05/17", "08:42:16"
    win.glyphs(date, DATE, 62, 20, panel)
    win.glyphs(time, TIME, 20, 43, panel)
    if state != "startup":
        win.at(KIND_LABEL[kind], 70, 85, panel)
        win.at(408, 150, 85, panel)
    win.put((panel, origin))


def speed_meter(win, speed):
    w, h = 179, win.y - 544
    img = Image.new("RGB", (w, h), (0, 0, 0))
    for yy in range(h):
        for xx in range(w):
            if (xx + yy) % 8 == 0 or (xx - yy) % 8 == 0:
                img.putpixel((xx, yy), (64, 64, 64))
    d = ImageDraw.Draw(img)
    big = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSansMono-BoldOblique.ttf", 30)
    unit = ImageFont.truetype(K.FONT_JP, 20)
    zero_w = d.textlength("000", font=big)
    text = " - " if speed < 0 else f"{speed:3d}"
    d.text((zero_w + 40, h / 2), text, font=big, fill=(255, 255, 255), anchor="rm")
    d.text((zero_w + 50, h / 2 + 4), "km/h", font=unit, fill=(255, 255, 255), anchor="lm")
    win.img.paste(img, (W - 195, 128))


def stopwatch(win, enabled, laps):
    panel, origin = win.panel(W - 209, win.y - 409, 209, 89)
    win.at(105, 0, 0, panel)
    d = ImageDraw.Draw(panel)
    d.rectangle((15, 7, 193, 33), fill=(0, 0, 0))
    fnt = ImageFont.truetype(K.FONT_JP, 12)
    line1 = "00′ 41″ 3" if laps else "--′ --″ -"
    line2 = f"{laps}: 00′ 12″ 8  46" if laps else "   --′ --″ -  - "
    d.text((104, 10), line1, font=fnt, fill=(255, 255, 255), anchor="mt")
    tw = d.textlength(line2, font=fnt)
    d.text((104 - tw / 2 - 10, 22), line2, font=fnt, fill=(255, 255, 255))
    d.text((104 + tw / 2 - 10, 22), "km/h", font=fnt, fill=(255, 255, 255))
    state = 0 if enabled else 2
    win.at((106, 109, 110)[state], 12, 36, panel)
    win.at((107, 111, 112)[state], 104, 36, panel)
    win.at((108, 113, 114)[state], 12, 61, panel)
    win.put((panel, origin))


def circle_chart(win, enabled, trajectory):
    panel, origin = win.panel(W - 209, win.y - 320, 209, 165)
    win.at(10040, 0, 0, panel)
    pw, ph = 209 - 29, 165 - 14
    plot = Image.new("RGB", (pw, ph), (0, 0, 0) if enabled else (132, 132, 132))
    d = ImageDraw.Draw(plot)
    cx, cy = pw // 2, ph // 2
    line = (255, 255, 255) if enabled else (148, 148, 148)
    for r in (16, 32, 48):
        for a in range(0, 360, 6):
            t = math.radians(a)
            d.point((cx + r * math.cos(t), cy + r * math.sin(t)), fill=(128, 128, 128) if enabled else line)
    d.ellipse((cx - 64, cy - 64, cx + 64, cy + 64), outline=line)
    d.line((cx, 0, cx, ph), fill=line)
    d.line((0, cy, pw, cy), fill=line)
    fnt = ImageFont.truetype(K.FONT_JP, 12)
    d.text((cx + 2, 0), "前", font=fnt, fill=line)
    d.text((cx + 2, ph - 12), "後", font=fnt, fill=line)
    d.text((3, cy - 13), "左", font=fnt, fill=line)
    d.text((pw - 14, cy - 13), "右", font=fnt, fill=line)
    d.text((cx + 50, cy - 50), "1.0G", font=fnt, fill=line)
    if enabled and trajectory:
        pts = [(cx + 40 * math.sin(t / 9) * math.exp(-t / 60), cy - 48 * math.sin(t / 14) * math.exp(-t / 50))
               for t in range(0, 120)]
        d.line(pts, fill=(255, 165, 0), width=2)
        px, py = pts[70]
        d.ellipse((px - 4, py - 4, px + 4, py + 4), fill=(255, 255, 0))
    panel.paste(plot, (14, 7))
    win.put((panel, origin))


def config(win, sound):
    panel, origin = win.panel(W - 209, win.y - 155, 209, 90)
    win.at(10024, 0, 0, panel)
    for channel, value, lo, hi, y in ((403, 16, 0, 16, 8), (10001, 10, 1, 50, 26)):
        win.at(channel, 40, y, panel)
        tw = win.pics[291].width
        win.at(291, 40 + int((value - lo) * (151 - tw) / (hi - lo)), y, panel)
    win.stretched(290 if sound else 431, 13, 6, 17, 15, panel)
    win.stretched(289, 13, 25, 16, 16, panel)
    win.at(10021, 57, 47, panel)
    win.put((panel, origin))


def position_bar(win, width, value, top, detection=None, marks=()):
    """The position bar as the three-slice drawing makes it, with its marks and thumb."""
    bar = Image.new("RGB", (width, 30))
    thumb, channel, played = win.pics[10031], win.pics[10027], win.pics[295]
    tw, cw, half = thumb.width, channel.width, thumb.width // 2
    px = lambda v: int(v * (width - tw) / top)  # noqa: E731
    X = px(value)
    bar.paste(played.crop((0, 0, half, 30)), (0, 0))
    bar.paste(played.crop((half, 0, cw - half, 30)).resize((X, 30), Image.NEAREST), (half, 0)) if X else None
    bar.paste(channel.crop((cw - half, 0, cw, 30)), (width - half, 0))
    rest = width - X - 2 * half
    if rest > 0:
        bar.paste(channel.crop((half, 0, cw - half, 30)).resize((rest, 30), Image.NEAREST), (X + half, 0))
    for id, v in marks + ((detection,) if detection else ()):
        m = win.pics[id]
        bar.paste(m, (px(v) + half - m.width // 2 + 2, 11))
    bar.paste(thumb, (X, 0))
    return bar


def console(win, mode, state):
    panel, origin = win.panel(0, win.y - 65, W, 65)
    if mode == "image":
        win.at(223, 0, 0, panel)
        w223 = win.pics[223].width
        win.stretched(424, w223 - w223 // 4, 0, W - win.pics[425].width - (w223 - w223 // 4), 65, panel)
        win.at(425, W - win.pics[425].width, 0, panel)
    else:
        win.three(223, 221, 222, 0, 0, W, panel)
    if state == "startup" or mode == "image":
        faces = (10017, 10020, 10011, 10014, 10005, 10008)
    else:
        faces = (10034, 10018, 10009, 10012, 10003, 10006)
    for id, (x, y) in zip(faces, ((23, 11), (67, 18), (107, 17), (140, 17), (198, 22), (220, 22))):
        if mode == "image" and id in (10005, 10008):
            continue
        win.at(id, x, y, panel)
    if mode != "image":
        if mode == "continuous":
            marks = ((115, 620), (117, 900), (118, 1310), (119, 1580), (116, 1800))
            bar = position_bar(win, W - 344, 1800, 2999, marks=marks)
        elif state == "startup":
            bar = position_bar(win, W - 344, 0, 1)
        else:
            bar = position_bar(win, W - 344, 298, 899, detection=(10029, 360))
        panel.paste(bar, (249, 26))
    if mode != "continuous":
        win.glyphs("-02.0" if mode == "event" and state != "startup" else "±00.0", OFFSET, W - 83, 26, panel)
    win.put((panel, origin))


def line_chart(win, state):
    panel, origin = win.panel(0, win.y, W, 90)
    win.three(359, 360, 361, 0, 0, W, panel)
    pw, ph = W - 45, 90 - 18
    plot = Image.new("RGB", (pw, ph), (0, 0, 0))
    d = ImageDraw.Draw(plot)
    fnt = ImageFont.truetype(K.FONT_JP, 13)
    x0, y0 = int(d.textlength("+0.00", font=fnt)) + 10, 13
    x1, y1 = W - int(d.textlength("999", font=fnt)) - 55, 90 - 13 - 23
    for i in range(5):
        yy = y0 + i * (y1 - y0) // 4
        for xx in range(x0, x1, 2):
            d.point((xx, yy), fill=(128, 128, 128))
        d.text((5, yy), f"{1.0 - i * 0.25:+4.2f}", font=fnt, fill=(255, 255, 255), anchor="lm")
        d.text((x1, yy), f"{(4 - i) * 40 // 4 * 2:3d}", font=fnt, fill=(255, 255, 255), anchor="lm")
    d.line((x0, y0, x0, y1), fill=(255, 255, 255))
    d.line((x0, y1, x1, y1), fill=(255, 255, 255))
    if state != "startup":
        n = 60
        g = [(x0 + k * (x1 - x0) / n, y1 - (y1 - y0) * (0.3 + 0.5 * math.exp(-((k - 36) / 4) ** 2)))
             for k in range(n + 1)]
        v = [(x0 + k * (x1 - x0) / n, y1 - (y1 - y0) * (0.55 - 0.3 * (k > 36) * (1 - math.exp(-(k - 36) / 5))))
             for k in range(n + 1)]
        d.line(v, fill=(255, 128, 128), width=2)
        d.line(g, fill=(255, 165, 0), width=2)
        xd = x0 + 36 * (x1 - x0) // n
        d.line((xd, y0, xd, y1 - 1), fill=(255, 0, 0))
        xc = x0 + 20 * (x1 - x0) // n
        d.line((xc, y0, xc, y1), fill=(255, 255, 0), width=2)
    panel.paste(plot, (20, 7))
    win.put((panel, origin))


def thumbnail_strip(win):
    panel, origin = win.panel(0, win.y, W, 90)
    win.three(426, 427, 428, 0, 0, W, panel)
    for id, x in ((444, 6), (438, 39), (433, W - 69), (439, W - 36)):
        win.at(id, x, 31, panel)
    lx = W // 2 - 253
    panel.paste((255, 255, 255), (lx, 2, lx + 506, 90))
    d = ImageDraw.Draw(panel)
    fnt = ImageFont.truetype(K.FONT_JP, 10)
    for i in range(6):
        x = lx + 6 + i * 83
        if i == 4:
            panel.paste(win.pics[447], (x, 8))
        else:
            panel.paste(road_picture(71, 53), (x, 8))
        d.text((x + 35, 66), f"2024/05/1{i} 0{i}:1{i}:0{i}", font=fnt, fill=(0, 0, 0), anchor="mt")
    win.put((panel, origin))


def window(pictures, mode, state="open"):
    win = Window(pictures)
    background(win)
    player(win, state)
    kind = {"event": 1, "continuous": 12, "image": 11}[mode]
    info(win, state, kind)
    speed_meter(win, -1 if state == "startup" or mode == "image" else 42)
    stopwatch(win, mode == "continuous", 3 if mode == "continuous" else 0)
    circle_chart(win, mode != "image", state != "startup")
    config(win, mode != "image")
    console(win, mode, state)
    if mode == "image":
        thumbnail_strip(win)
    else:
        line_chart(win, state)
    return win.img


def preview(pictures):
    shots = [("start-up", window(pictures, "event", "startup")),
             ("event recording", window(pictures, "event")),
             ("continuous recording (stopwatch marks)", window(pictures, "continuous")),
             ("image recording (console disabled)", window(pictures, "image"))]
    gap, caption = 24, 28
    sheet = Image.new("RGB", (2 * W + 3 * gap, 2 * (H + caption) + 3 * gap), (140, 140, 140))
    d = ImageDraw.Draw(sheet)
    fnt = ImageFont.truetype(K.FONT_BOLD, 18)
    for i, (name, shot) in enumerate(shots):
        x = gap + (i % 2) * (W + gap)
        y = gap + (i // 2) * (H + caption + gap)
        d.text((x, y), name, font=fnt, fill=(18, 18, 18))
        sheet.paste(shot, (x, y + caption))
    return sheet
