#include "panels/SpeedMeter.h"

#include "base/Text.h"
#include "panels/ChartWindow.h"
#include "panels/IDashboardSource.h"
#include "panels/PanelFont.h"
#include "recording/IVideoInfo.h"

#include "ResourceIds.h"

#include <cstdio>

SpeedMeter::SpeedMeter(HWND parent, const IDashboardSource& source)
    : source_(source),
      hatch_(CreateHatchBrush(HS_DIAGCROSS, RGB(64, 64, 64))),
      number_font_(make_panel_font({32, true, true, OUT_STRING_PRECIS})),
      unit_font_(make_panel_font({20, false, false, OUT_STRING_PRECIS}))
{
    create(panel_record(parent));
}

LRESULT SpeedMeter::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the painting covers everything
    case WM_PAINT:
        on_paint();
        return 0;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

int SpeedMeter::speed() const
{
    const IVideoInfo* info = source_.info();
    const FrameRecord* record = info != nullptr ? info->frame_record(source_.frame()) : nullptr;
    return record != nullptr ? record->speed : -1;
}

std::wstring SpeedMeter::text(int speed)
{
    if (speed < 0) {
        return L" - ";
    }
    wchar_t text[16];
    std::swprintf(text, 16, L"%3d", speed);
    return text;
}

void SpeedMeter::on_paint()
{
    PaintDc paint(handle());
    RECT client{};
    GetClientRect(handle(), &client);
    this->paint(paint.get(), client.right, client.bottom);
}

void SpeedMeter::update()
{
    RECT client{};
    GetClientRect(handle(), &client);
    WindowDc screen(handle());
    MemoryDc memory(screen.get());
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    if (memory.get() == nullptr || !bitmap) {
        paint(screen.get(), client.right, client.bottom);
        return;
    }
    SelectedObject selected(memory.get(), bitmap.get());
    paint(memory.get(), client.right, client.bottom);
    BitBlt(screen.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void SpeedMeter::paint(HDC dc, int width, int height) const
{
    const RECT client{0, 0, width, height};
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 0, 0));
    FillRect(dc, &client, hatch_.get());

    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    {
        SelectedObject font(dc, number_font_.get());
        const SIZE digits = text_size(dc, L"000");
        const std::wstring number = text(speed());
        const SIZE size = text_size(dc, number);
        // The number's right edge stands where a three-digit speed ends.
        TextOutW(dc, digits.cx - size.cx + 40, (height - digits.cy) / 2, number.c_str(),
                 static_cast<int>(number.size()));
        SelectedObject unit_font(dc, unit_font_.get());
        const std::wstring unit = load_text(texts::speed_unit);
        const SIZE unit_size = text_size(dc, unit);
        TextOutW(dc, digits.cx + 50, (height - unit_size.cy) / 2 + 6, unit.c_str(), static_cast<int>(unit.size()));
    }
}
