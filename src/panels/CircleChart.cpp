#include "panels/CircleChart.h"

#include "base/Text.h"
#include "panels/CircleGeometry.h"
#include "panels/IDashboardSource.h"
#include "panels/PanelFont.h"
#include "recording/IVideoInfo.h"
#include "ui/WindowUtilities.h"

#include "ResourceIds.h"

#include <vector>

namespace {

constexpr COLORREF grey_background = RGB(132, 132, 132);
constexpr COLORREF grey_lines = RGB(148, 148, 148);
constexpr COLORREF white = RGB(255, 255, 255);
constexpr COLORREF trajectory_colour = RGB(255, 165, 0);
constexpr COLORREF dot_colour = RGB(255, 255, 0);

void draw_circle(HDC dc, ChartPoint centre, int radius)
{
    Ellipse(dc, centre.x - radius, centre.y - radius, centre.x + radius + 1, centre.y + radius + 1);
}

void draw_label(HDC dc, int x, int y, const std::wstring& text)
{
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

} // namespace

CircleChart::CircleChart(HWND parent, const IDashboardSource& source)
    : ChartWindow(parent),
      source_(source),
      enabled_brush_(CreateSolidBrush(RGB(0, 0, 0))),
      disabled_brush_(CreateSolidBrush(grey_background)),
      font_(make_panel_font({12, false, false, OUT_DEFAULT_PRECIS, FF_MODERN}))
{
}

LRESULT CircleChart::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        background_.drawAt(reinterpret_cast<HDC>(wParam), 0, 0);
        return 1;
    case WM_PAINT:
        on_paint();
        return 0;
    case WM_SIZE:
    case WM_ENABLE: // the static content differs in size or in colours
        drop_cache();
        InvalidateRect(handle(), nullptr, TRUE);
        return 0;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

void CircleChart::paint(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    const CircleGeometry geometry(client.right, client.bottom);
    const bool enabled = isEnabled(handle());
    if (!cache_.ready()) {
        if (HDC content = cache_.start(dc, geometry.plot_width(), geometry.plot_height())) {
            draw_static(content, geometry.plot_width(), geometry.plot_height(), enabled);
        }
    }
    cache_.copy_to(dc, CircleGeometry::plot_x, CircleGeometry::plot_y);
    if (enabled) {
        draw_dot(dc);
    }
}

void CircleChart::draw_static(HDC dc, int width, int height, bool enabled) const
{
    const RECT plot{0, 0, width, height};
    FillRect(dc, &plot, enabled ? enabled_brush_.get() : disabled_brush_.get());
    const ChartPoint c = CircleGeometry(width + 29, height + 14).centre();
    const COLORREF lines = enabled ? white : grey_lines;
    SetBkMode(dc, TRANSPARENT);
    SelectedObject no_fill(dc, GetStockObject(NULL_BRUSH));
    {
        GdiObject<HPEN> solid(CreatePen(PS_SOLID, 1, lines));
        SelectedObject pen(dc, solid.get());
        draw_circle(dc, c, CircleGeometry::pixels_per_g);
    }
    {
        GdiObject<HPEN> dotted(CreatePen(PS_DOT, 1, enabled ? RGB(128, 128, 128) : grey_lines));
        SelectedObject pen(dc, dotted.get());
        for (int radius : {48, 32, 16}) {
            draw_circle(dc, c, radius);
        }
    }
    // The solid axes go over the dotted circles.
    {
        GdiObject<HPEN> solid(CreatePen(PS_SOLID, 1, lines));
        SelectedObject pen(dc, solid.get());
        MoveToEx(dc, c.x, 0, nullptr);
        LineTo(dc, c.x, height);
        MoveToEx(dc, 0, c.y, nullptr);
        LineTo(dc, width, c.y);
    }
    SelectedObject font(dc, font_.get());
    SetTextColor(dc, lines);
    const std::wstring front = load_text(texts::direction_front);
    const std::wstring back = load_text(texts::direction_back);
    const std::wstring left = load_text(texts::direction_left);
    const std::wstring right = load_text(texts::direction_right);
    draw_label(dc, c.x + 2, 0, front);
    draw_label(dc, c.x + 2, height - text_size(dc, back).cy, back);
    draw_label(dc, 3, c.y - text_size(dc, left).cy - 1, left);
    const SIZE right_size = text_size(dc, right);
    draw_label(dc, width - right_size.cx - 2, c.y - right_size.cy - 1, right);
    draw_label(dc, c.x + 50, c.y - 50, load_text(texts::one_g));
    if (enabled) {
        draw_trajectory(dc, width, height);
    }
}

void CircleChart::draw_trajectory(HDC dc, int width, int height) const
{
    const IVideoInfo* info = source_.info();
    if (info == nullptr) {
        return;
    }
    const CircleGeometry geometry(width + 29, height + 14);
    std::vector<ChartPoint> points;
    points.reserve(static_cast<size_t>(info->frame_count()));
    for (int i = 0; i < info->frame_count(); ++i) {
        if (const FrameRecord* record = info->frame_record(i)) {
            points.push_back(geometry.point(*record));
        }
    }
    GdiObject<HPEN> orange(CreatePen(PS_SOLID, 2, trajectory_colour));
    SelectedObject pen(dc, orange.get());
    draw_polyline(dc, points);
}

void CircleChart::draw_dot(HDC dc) const
{
    const IVideoInfo* info = source_.info();
    if (info == nullptr || info->frame_count() < 1) {
        return;
    }
    const FrameRecord* record = info->frame_record(source_.frame());
    if (record == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(handle(), &client);
    const ChartPoint p = CircleGeometry(client.right, client.bottom).window_point(*record);
    GdiObject<HBRUSH> yellow(CreateSolidBrush(dot_colour));
    GdiObject<HPEN> outline(CreatePen(PS_SOLID, 1, dot_colour));
    SelectedObject brush(dc, yellow.get());
    SelectedObject pen(dc, outline.get());
    Ellipse(dc, p.x - 4, p.y - 4, p.x + 4, p.y + 4);
}
