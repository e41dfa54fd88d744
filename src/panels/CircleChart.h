#pragma once
// The G trajectory of the whole recording inside a 1.0 G circle, with a dot at the current
// frame. The circle, its labels and the trajectory are drawn once into a cache; every repaint
// copies it and adds the dot. Disabled (image mode) it is grey, without trajectory and dot.
#include "panels/ChartWindow.h"
#include "ui/AlphaImage.h"
#include "ui/GdiHandles.h"

class IDashboardSource;

class CircleChart : public ChartWindow {
public:
    // A visible child of `parent`; the object belongs to its window.
    CircleChart(HWND parent, const IDashboardSource& source);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    static constexpr int background_image = 10040;

private:
    void paint(HDC dc) override;
    void draw_static(HDC dc, int width, int height, bool enabled) const;
    void draw_trajectory(HDC dc, int width, int height) const;
    void draw_dot(HDC dc) const;

    const IDashboardSource& source_;
    GdiObject<HBRUSH> enabled_brush_;
    GdiObject<HBRUSH> disabled_brush_;
    GdiObject<HFONT> font_;
    AlphaImage background_{background_image};
};
