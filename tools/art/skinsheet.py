"""The contact sheet: every picture of the skin with its id, grouped by panel, on neutral grey.
Small pictures are enlarged (pixel for pixel) so their details can be judged."""
from PIL import Image, ImageDraw, ImageFont

import skinkit as K

SHEET_W = 1500
MARGIN = 18
GAP_X, GAP_Y = 18, 14
BACKGROUND = (140, 140, 140)
INK = (18, 18, 18)
FAINT = (58, 58, 58)


def scale_for(size):
    """Enlargement of a picture on the sheet; tall stretched pieces are shown at half height."""
    w, h = size
    longest = max(w, h)
    if h > 300:
        return 0.5
    if longest <= 16:
        return 4
    if longest <= 34:
        return 3
    if longest <= 64 and w * 2 <= SHEET_W // 3:
        return 2
    return 1


def _fonts():
    return (ImageFont.truetype(K.FONT_BOLD, 20), ImageFont.truetype(K.FONT_BOLD, 13),
            ImageFont.truetype(K.FONT_SANS, 11))


def _layout(entries, pictures, fonts):
    """Places group headings and tiles in rows; returns the items and the sheet height."""
    heading, label, small = fonts
    measure = ImageDraw.Draw(Image.new("RGB", (1, 1)))
    items, y = [], MARGIN
    groups = []
    for e in entries:
        if not groups or groups[-1][0] != e.group:
            groups.append((e.group, []))
        groups[-1][1].append(e)
    for name, members in groups:
        items.append(("heading", name, MARGIN, y))
        y += 30
        x, row_h = MARGIN, 0
        for e in members:
            k = scale_for(pictures[e.id].size)
            w, h = round(pictures[e.id].width * k), round(pictures[e.id].height * k)
            caption = f"{e.id}"
            detail = f"{e.size[0]}x{e.size[1]}" + (f"  (x{k})" if k != 1 else "")
            text_w = max(measure.textlength(caption, font=label), measure.textlength(detail, font=small))
            tile_w = max(w + 2, int(text_w) + 2)
            if x + tile_w > SHEET_W - MARGIN and x > MARGIN:
                x, y = MARGIN, y + row_h + GAP_Y
                row_h = 0
            items.append(("tile", e, x, y, k, caption, detail))
            x += tile_w + GAP_X
            row_h = max(row_h, h + 2 + 30)
        y += row_h + GAP_Y + 6
    return items, y + MARGIN - GAP_Y


def contact_sheet(entries, pictures):
    fonts = _fonts()
    heading, label, small = fonts
    items, height = _layout(entries, pictures, fonts)
    sheet = Image.new("RGB", (SHEET_W, height), BACKGROUND)
    d = ImageDraw.Draw(sheet)
    for item in items:
        if item[0] == "heading":
            _, name, x, y = item
            d.text((x, y), name, font=heading, fill=INK)
            d.line((x, y + 26, SHEET_W - MARGIN, y + 26), fill=FAINT)
            continue
        _, e, x, y, k, caption, detail = item
        pic = pictures[e.id]
        big = pic.resize((max(1, round(pic.width * k)), round(pic.height * k)), Image.NEAREST)
        d.rectangle((x, y, x + big.width + 1, y + big.height + 1), outline=(96, 96, 96))
        sheet.paste(big, (x + 1, y + 1))
        d.text((x, y + big.height + 4), caption, font=label, fill=INK)
        d.text((x, y + big.height + 19), detail, font=small, fill=FAINT)
    return sheet
