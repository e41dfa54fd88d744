#include "ui/Animation.h"

#include "ui/GdiHandles.h"

Animation::Animation(HWND parent, int x, int y, int imageId)
{
    CreationRecord record;
    record.className = defaultClassName;
    record.style = WS_CHILD | WS_VISIBLE;
    record.x = x;
    record.y = y;
    record.width = width;
    record.height = height;
    record.parent = parent;
    create(record);
    frames_[1] = std::make_unique<AlphaImage>(imageId);
}

LRESULT Animation::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // the picture covers it; nothing to erase first
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_TIMER:
        onTimer();
        return 0;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

void Animation::start()
{
    index_ = 0;
    SetTimer(handle(), 0, 100, nullptr);
}

void Animation::onPaint()
{
    PaintDc paint(handle());
    if (index_ < 0) {
        return;
    }
    const auto& frame = frames_[index_ > 1 ? 1 : index_];
    if (frame != nullptr) {
        frame->drawAt(paint.get(), 0, 0);
    }
}

void Animation::onTimer()
{
    ++index_;
    if (index_ > 1) {
        KillTimer(handle(), 0);
        return;
    }
    InvalidateRect(handle(), nullptr, FALSE);
    UpdateWindow(handle());
}
