#pragma once
// The base of the two chart windows: a child window whose static content lives in a cache,
// painted again at once after every new frame (copy of the cache plus the current-frame mark).
#include "panels/ChartCache.h"
#include "panels/ChartPoint.h"
#include "ui/Window.h"

#include <vector>

class ChartWindow : public Window {
public:
    // Repaints at once (after every new frame).
    void redraw();
    // Forgets the drawn content; the next repaint draws it again from the recording.
    void drop_cache() { cache_.drop(); }
    bool cache_ready() const { return cache_.ready(); }

protected:
    // Creates the visible child of `parent`.
    explicit ChartWindow(HWND parent);
    // WM_PAINT.
    void on_paint();
    // Draws the cache (building it first when needed) and the mark on `dc`.
    virtual void paint(HDC dc) = 0;

    ChartCache cache_;
};

// The record of a visible child window of the default class, for the dashboard's panels.
CreationRecord panel_record(HWND parent, DWORD style = WS_CHILD | WS_VISIBLE, DWORD extended_style = 0);

// Joins the points with the pen selected into `dc`, through as few vertices as draw the same.
void draw_polyline(HDC dc, const std::vector<ChartPoint>& points);
