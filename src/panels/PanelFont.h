#pragma once
// The dashboard's font, "ＭＳ ゴシック", at a pixel height.
#include "ui/GdiHandles.h"

#include <windows.h>

#include <string>

struct PanelFontStyle {
    int height = 12;
    bool bold = false;
    bool italic = false;
    BYTE output_precision = OUT_DEFAULT_PRECIS;
    BYTE pitch_and_family = DEFAULT_PITCH;
};

GdiObject<HFONT> make_panel_font(const PanelFontStyle& style);

// The size of `text` drawn with the font selected into `dc`.
SIZE text_size(HDC dc, const std::wstring& text);
