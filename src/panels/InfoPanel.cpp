#include "panels/InfoPanel.h"

#include "base/Text.h"
#include "panels/ChartWindow.h"
#include "panels/IDashboardSource.h"
#include "recording/IVideoInfo.h"
#include "ui/GdiHandles.h"

#include "ResourceIds.h"

namespace {

// The digit pictures: "0" ... "9" in a row of ids, then the dash and the separator.
std::map<char, std::unique_ptr<AlphaImage>> glyph_set(int zero, int dash, char separator, int separator_id)
{
    std::map<char, std::unique_ptr<AlphaImage>> glyphs;
    for (int digit = 0; digit < 10; ++digit) {
        glyphs[static_cast<char>('0' + digit)] = std::make_unique<AlphaImage>(zero + digit);
    }
    glyphs['-'] = std::make_unique<AlphaImage>(dash);
    glyphs[separator] = std::make_unique<AlphaImage>(separator_id);
    return glyphs;
}

} // namespace

InfoPanel::InfoPanel(HWND parent, const IDashboardSource& source)
    : source_(source), date_glyphs_(glyph_set(225, 235, '/', 224)), time_glyphs_(glyph_set(251, 250, ':', 261))
{
    for (int code : {0, 1, 2, 11, 12}) {
        labels_[code] = std::make_unique<AlphaImage>(InfoContent::label_image_of(code));
    }
    create(panel_record(parent, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT));
}

LRESULT InfoPanel::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        draw(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        PaintDc paint(handle()); // validates; everything was drawn with the background
        return 0;
    }
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

void InfoPanel::repaint() { InvalidateRect(handle(), nullptr, TRUE); }

InfoContent InfoPanel::content() const
{
    return InfoContent::of(source_.info(), source_.data_type(), source_.detection_time(), source_.archive_flag());
}

void InfoPanel::draw_glyphs(HDC dc, int x, int y, const std::string& text,
                            const std::map<char, std::unique_ptr<AlphaImage>>& glyphs)
{
    for (char c : text) {
        const auto glyph = glyphs.find(c);
        if (glyph != glyphs.end()) {
            glyph->second->drawAt(dc, x, y);
            x += glyph->second->width();
        }
    }
}

void InfoPanel::draw(HDC dc)
{
    if (background_.hasPicture()) {
        background_.drawAt(dc, 0, 0);
    } else {
        RECT client{};
        GetClientRect(handle(), &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    const InfoContent shown = content();
    if (shown.state == InfoContent::incomplete) {
        const std::wstring note = load_text(texts::information_incomplete);
        RECT area{35, 15, 170, 105};
        const int saved = SaveDC(dc);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 255));
        DrawTextW(dc, note.c_str(), static_cast<int>(note.size()), &area, DT_WORDBREAK);
        RestoreDC(dc, saved);
        return;
    }
    draw_glyphs(dc, 62, 20, shown.date, date_glyphs_);
    draw_glyphs(dc, 20, 43, shown.clock, time_glyphs_);
    if (shown.label_image != 0) {
        const int code = source_.info()->kind_code();
        labels_.at(code)->drawAt(dc, 70, 85);
    }
    if (shown.warning) {
        warning_.drawAt(dc, 150, 85);
    }
}
