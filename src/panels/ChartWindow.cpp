#include "panels/ChartWindow.h"

#include "panels/PolylinePoints.h"
#include "ui/GdiHandles.h"

#include <algorithm>

CreationRecord panel_record(HWND parent, DWORD style, DWORD extended_style)
{
    CreationRecord record;
    record.extendedStyle = extended_style;
    record.className = Window::defaultClassName;
    record.style = style;
    record.parent = parent;
    return record;
}

ChartWindow::ChartWindow(HWND parent) { create(panel_record(parent)); }

void ChartWindow::redraw()
{
    WindowDc dc(handle());
    paint(dc.get());
}

void ChartWindow::on_paint()
{
    PaintDc paint(handle());
    this->paint(paint.get());
}

void draw_polyline(HDC dc, const std::vector<ChartPoint>& points)
{
    std::vector<POINT> vertices;
    for (const ChartPoint& p : without_redundant_points(points)) {
        vertices.push_back({p.x, p.y});
    }
    // In pieces that share their end vertices: a wide pen's cost grows faster than the
    // vertex count, and round joins and caps draw the same pixels either way.
    constexpr size_t piece = 32;
    for (size_t first = 0; first + 1 < vertices.size(); first += piece) {
        const size_t count = std::min(piece + 1, vertices.size() - first);
        Polyline(dc, vertices.data() + first, static_cast<int>(count));
    }
}
