#include "ui/Label.h"

#include "ui/GdiHandles.h"
#include "ui/WindowUtilities.h"

TextOrigin textOrigin(int alignment, int boxWidth, int boxHeight, int textWidth, int textHeight)
{
    if (alignment < 0 || alignment > 8) {
        return {0, 0};
    }
    const int column = alignment % 3; // left, centre, right
    const int row = alignment / 3;    // top, middle, bottom
    const int x = column == 0 ? 0 : column == 1 ? (boxWidth - textWidth) / 2 : boxWidth - textWidth;
    const int y = row == 0 ? 0 : row == 1 ? (boxHeight - textHeight) / 2 : boxHeight - textHeight;
    return {x, y};
}

Label::Label(HWND control)
{
    attach(control);
}

Label::~Label() = default;

LRESULT Label::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        onEraseBackground(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

void Label::setText(std::wstring text)
{
    text_ = std::move(text);
}

void Label::onEraseBackground(HDC dc) const
{
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void Label::onPaint()
{
    const PaintDc paintDc(handle());
    paint(paintDc.get());
}

void Label::paint(HDC dc) const
{
    RECT client{};
    GetClientRect(handle(), &client);
    if (picture_ != nullptr && picture_->hasPicture()) {
        picture_->drawAt(dc, (client.right - picture_->width()) / 2, (client.bottom - picture_->height()) / 2);
        return;
    }
    if (!text_) {
        return;
    }
    const int saved = SaveDC(dc);
    if (const auto font = reinterpret_cast<HFONT>(SendMessageW(handle(), WM_GETFONT, 0, 0))) {
        SelectObject(dc, font);
    }
    const int length = static_cast<int>(text_->size());
    SIZE size{};
    GetTextExtentPoint32W(dc, text_->c_str(), length, &size);
    const TextOrigin origin = textOrigin(alignment_, client.right, client.bottom, size.cx, size.cy);
    SetTextColor(dc, colour_);
    SetBkMode(dc, TRANSPARENT);
    const UINT look = isEnabled(handle()) ? DSS_NORMAL : DSS_DISABLED;
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text_->c_str()), static_cast<WPARAM>(length), origin.x,
               origin.y, size.cx, size.cy, DST_TEXT | look);
    RestoreDC(dc, saved);
}
