#include "panels/LineChart.h"

#include "base/FrameClock.h"
#include "base/Text.h"
#include "panels/IDashboardSource.h"
#include "panels/PanelFont.h"
#include "panels/TimeText.h"
#include "recording/DataType.h"
#include "recording/IVideoInfo.h"

#include <vector>

namespace {

constexpr COLORREF grid_colour = RGB(128, 128, 128);
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF g_colour = RGB(255, 165, 0);
constexpr COLORREF speed_colour = RGB(255, 128, 128);
constexpr COLORREF detection_colour = RGB(255, 0, 0);
constexpr COLORREF position_colour = RGB(255, 255, 0);

void draw_text(HDC dc, int x, int y, const std::string& text)
{
    const std::wstring wide(text.begin(), text.end()); // digits, signs and colons only
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

int width_of(HDC dc, const std::string& text) { return text_size(dc, std::wstring(text.begin(), text.end())).cx; }

void line(HDC dc, int x0, int y0, int x1, int y1)
{
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
}

} // namespace

LineChart::LineChart(HWND parent, const IDashboardSource& source)
    : ChartWindow(parent),
      source_(source),
      black_(CreateSolidBrush(RGB(0, 0, 0))),
      font_(make_panel_font({13, false, false, OUT_DEFAULT_PRECIS, FF_MODERN}))
{
    on_size();
}

LRESULT LineChart::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        on_size();
        return 0;
    case WM_ERASEBKGND:
        return on_erase_background(reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    case WM_PAINT:
        on_paint();
        return 0;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

void LineChart::on_size()
{
    RECT client{};
    GetClientRect(handle(), &client);
    WindowDc dc(handle());
    SelectedObject font(dc.get(), font_.get());
    const SIZE g_label = text_size(dc.get(), L"+0.00");
    const SIZE speed_label = text_size(dc.get(), L"999");
    plot_ = LineChartGeometry::plot_rect(client.right, client.bottom, g_label.cx, g_label.cy, speed_label.cx);
    drop_cache();
}

bool LineChart::on_erase_background(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    if (!left_.hasPicture() || !middle_.hasPicture() || !right_.hasPicture()) {
        FillRect(dc, &client, black_.get());
        return true;
    }
    left_.drawAt(dc, 0, 0);
    const int right_x = client.right - right_.width();
    const int gap = right_x - left_.width();
    if (gap > 0) {
        middle_.drawStretched(dc, left_.width(), 0, gap, client.bottom);
    }
    right_.drawAt(dc, right_x, 0);
    return true;
}

int LineChart::frames_per_second() const
{
    return source_.data_type() == data_type_continuous ? continuous_frames_per_second : event_frames_per_second;
}

LineChartGeometry LineChart::geometry() const
{
    const IVideoInfo* info = source_.info();
    return LineChartGeometry(plot_, info != nullptr ? info->frame_count() : 0, frames_per_second());
}

void LineChart::paint(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    if (!cache_.ready()) {
        const int width = LineChartGeometry::cache_width(client.right);
        const int height = LineChartGeometry::cache_height(client.bottom);
        if (HDC content = cache_.start(dc, width, height)) {
            draw_static(content, width, height);
        }
    }
    cache_.copy_to(dc, LineChartGeometry::cache_x, LineChartGeometry::cache_y);
    const IVideoInfo* info = source_.info();
    if (info == nullptr || info->frame_count() < 1) {
        return;
    }
    const LineChartGeometry chart = geometry();
    const int x = chart.position_x(source_.frame());
    GdiObject<HPEN> yellow(CreatePen(PS_SOLID, 2, position_colour));
    SelectedObject pen(dc, yellow.get());
    line(dc, x, chart.position_top(), x, chart.position_bottom() + 1);
}

void LineChart::draw_static(HDC dc, int width, int height) const
{
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, black_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, white);
    SelectedObject font(dc, font_.get());
    const IVideoInfo* info = source_.info();
    const ChartScales scales = info != nullptr ? ChartScales::of(*info) : ChartScales::from_peaks(0, 0);
    const LineChartGeometry chart = geometry();
    draw_grid(dc, chart, scales);
    draw_times(dc, chart);
    const PlotRect& plot = chart.plot();
    {
        GdiObject<HPEN> solid(CreatePen(PS_SOLID, 1, white));
        SelectedObject pen(dc, solid.get());
        line(dc, plot.x0, plot.y0, plot.x0, plot.y1 + 1);
        line(dc, plot.x0, plot.y1, plot.x1 + 1, plot.y1);
    }
    draw_curves(dc, chart, scales);
}

void LineChart::draw_grid(HDC dc, const LineChartGeometry& chart, const ChartScales& scales) const
{
    const PlotRect& plot = chart.plot();
    GdiObject<HPEN> dotted(CreatePen(PS_DOT, 1, grid_colour));
    SelectedObject pen(dc, dotted.get());
    const int half_label = text_size(dc, L"999").cy / 2;
    for (const auto& row : chart.scale_rows(scales)) {
        line(dc, plot.x0, row.y, plot.x1 + 1, row.y);
        draw_text(dc, 5, row.y - half_label, row.g_label);
        draw_text(dc, plot.x1, row.y - half_label, row.speed_label);
    }
    int previous_x = -1;
    for (const auto& second : chart.second_lines([dc](const std::string& text) { return width_of(dc, text); })) {
        if (second.x != previous_x) { // a long recording puts many seconds on one column
            line(dc, second.x, plot.y0, second.x, plot.y1 + 1);
            previous_x = second.x;
        }
        if (second.labelled) {
            draw_text(dc, second.x - width_of(dc, second.label) / 2, plot.y1 + 4, second.label);
        }
    }
}

void LineChart::draw_times(HDC dc, const LineChartGeometry& chart) const
{
    const IVideoInfo* info = source_.info();
    if (info == nullptr) {
        return;
    }
    const PlotRect& plot = chart.plot();
    const int time_width = width_of(dc, "00:00:00");
    if (info->start_time() != 0) {
        draw_text(dc, plot.x0, 0, time_text::clock(info->start_time()));
    }
    if (info->end_time() != 0) {
        draw_text(dc, plot.x1 - time_width, 0, time_text::clock(info->end_time()));
    }
    const std::optional<int> detection = chart.detection_x(*info);
    if (!detection) {
        return;
    }
    GdiObject<HPEN> red(CreatePen(PS_SOLID, 1, detection_colour));
    SelectedObject pen(dc, red.get());
    line(dc, *detection, plot.y0, *detection, plot.y1);
    const int64_t time = source_.detection_time();
    if (time != 0 && chart.detection_time_fits(*detection, time_width)) {
        draw_text(dc, *detection - time_width / 2, 0, time_text::clock(time));
    }
}

void LineChart::draw_curves(HDC dc, const LineChartGeometry& chart, const ChartScales& scales) const
{
    const IVideoInfo* info = source_.info();
    if (info == nullptr) {
        return;
    }
    const LineChartGeometry::Curves curves = chart.curves(*info, scales);
    const PlotRect& plot = chart.plot();
    {
        const int saved = SaveDC(dc);
        if (scales.g_min > 0) { // values under the least scale's bottom stay inside the plot
            IntersectClipRect(dc, plot.x0, plot.y0, plot.x1 + 1, plot.y1 + 1);
        }
        GdiObject<HPEN> orange(CreatePen(PS_SOLID, 2, g_colour));
        SelectedObject pen(dc, orange.get());
        draw_polyline(dc, curves.g);
        RestoreDC(dc, saved);
    }
    GdiObject<HPEN> pink(CreatePen(PS_SOLID, 2, speed_colour));
    SelectedObject pen(dc, pink.get());
    draw_polyline(dc, curves.speed);
}
