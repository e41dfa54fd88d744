#pragma once
// A chart's static content, drawn once into a bitmap and copied for every repaint; dropped
// when the recording or the size changes.
#include "ui/GdiHandles.h"

#include <windows.h>

#include <memory>

class ChartCache {
public:
    ChartCache() = default;
    ~ChartCache();
    ChartCache(const ChartCache&) = delete;
    ChartCache& operator=(const ChartCache&) = delete;

    bool ready() const { return dc_ != nullptr; }
    // A fresh bitmap of the size, compatible with `screen`; returns the device context to draw
    // the content into (null when none can be made).
    HDC start(HDC screen, int width, int height);
    void drop();
    // Copies the content with its top-left corner at (x, y).
    void copy_to(HDC dc, int x, int y) const;

private:
    HDC dc_ = nullptr;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
