#pragma once
// The G magnitude and the speed of the whole recording against time, with one grid line a
// second, the start, end and detection times, the red detection line and a yellow line at the
// current frame. The static content is drawn once into a cache per recording and size.
#include "panels/ChartWindow.h"
#include "panels/LineChartGeometry.h"
#include "ui/AlphaImage.h"
#include "ui/GdiHandles.h"

class IDashboardSource;

class LineChart : public ChartWindow {
public:
    // A visible child of `parent`; the object belongs to its window.
    LineChart(HWND parent, const IDashboardSource& source);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The geometry of the open recording in the present size.
    LineChartGeometry geometry() const;

    static constexpr int left_image = 359;
    static constexpr int middle_image = 360;
    static constexpr int right_image = 361;

private:
    void on_size();
    bool on_erase_background(HDC dc);
    void paint(HDC dc) override;
    void draw_static(HDC dc, int width, int height) const;
    void draw_grid(HDC dc, const LineChartGeometry& chart, const ChartScales& scales) const;
    void draw_times(HDC dc, const LineChartGeometry& chart) const;
    void draw_curves(HDC dc, const LineChartGeometry& chart, const ChartScales& scales) const;
    int frames_per_second() const;

    const IDashboardSource& source_;
    GdiObject<HBRUSH> black_;
    GdiObject<HFONT> font_;
    AlphaImage left_{left_image};
    AlphaImage middle_{middle_image};
    AlphaImage right_{right_image};
    PlotRect plot_;
};
