#include "panels/ChartCache.h"

#include <algorithm>

ChartCache::~ChartCache() { drop(); }

HDC ChartCache::start(HDC screen, int width, int height)
{
    drop();
    width_ = std::max(width, 1);
    height_ = std::max(height, 1);
    bitmap_.reset(CreateCompatibleBitmap(screen, width_, height_));
    if (!bitmap_) {
        return nullptr;
    }
    dc_ = CreateCompatibleDC(screen);
    if (dc_ == nullptr) {
        bitmap_.reset();
        return nullptr;
    }
    previous_ = SelectObject(dc_, bitmap_.get());
    return dc_;
}

void ChartCache::drop()
{
    if (dc_ != nullptr) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        dc_ = nullptr;
    }
    bitmap_.reset();
}

void ChartCache::copy_to(HDC dc, int x, int y) const
{
    if (dc_ != nullptr) {
        BitBlt(dc, x, y, width_, height_, dc_, 0, 0, SRCCOPY);
    }
}
