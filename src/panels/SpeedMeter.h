#pragma once
// The vehicle speed of the frame on screen, as a large number followed by "km/h" on a hatched
// background.
#include "ui/GdiHandles.h"
#include "ui/Window.h"

#include <string>

class IDashboardSource;

class SpeedMeter : public Window {
public:
    // A visible child of `parent`; the object belongs to its window.
    SpeedMeter(HWND parent, const IDashboardSource& source);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Repaints at once through a memory bitmap (after every new frame).
    void update();
    // The speed of the current frame in km/h; -1 without a recording or a record.
    int speed() const;
    // "%3d" of the speed, so that the last digit always stands in one place; " - " for none.
    static std::wstring text(int speed);

private:
    void on_paint();
    void paint(HDC dc, int width, int height) const;

    const IDashboardSource& source_;
    GdiObject<HBRUSH> hatch_;
    GdiObject<HFONT> number_font_;
    GdiObject<HFONT> unit_font_;
};
