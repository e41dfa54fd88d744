#include "panels/PanelFont.h"

GdiObject<HFONT> make_panel_font(const PanelFontStyle& style)
{
    return GdiObject<HFONT>(CreateFontW(style.height, 0, 0, 0, style.bold ? FW_BOLD : FW_NORMAL, style.italic, FALSE,
                                        FALSE, DEFAULT_CHARSET, style.output_precision, CLIP_DEFAULT_PRECIS,
                                        DEFAULT_QUALITY, style.pitch_and_family, L"ＭＳ ゴシック"));
}

SIZE text_size(HDC dc, const std::wstring& text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}
