#include "panels/ChartWindow.h"

#include "ui/GdiHandles.h"

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
