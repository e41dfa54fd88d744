#include "ui/ImageTrackBar.h"

#include "ui/ChannelSlices.h"
#include "ui/GdiHandles.h"
#include "ui/ImageTrackBarListener.h"
#include "ui/TrackToolTip.h"
#include "ui/WindowUtilities.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr UINT_PTR dragTimer = 0;
constexpr UINT dragTickMs = 100;
// The value tooltip floats this far above the bar.
constexpr int toolTipRise = 20;

} // namespace

ImageTrackBar::ImageTrackBar(HWND parent, int x, int y, int width, int height)
{
    create(childRecord(parent, x, y, width, height));
}

LRESULT ImageTrackBar::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        onButtonDown(GET_X_LPARAM(lParam));
        return 0;
    case WM_MOUSEMOVE:
        onMouseMove(GET_X_LPARAM(lParam));
        return 0;
    case WM_TIMER:
        onTimer();
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(GET_X_LPARAM(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        onCaptureLost();
        return 0;
    case WM_SIZE:
        moveThumb();
        InvalidateRect(handle(), nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return skinnedDialogCode(reinterpret_cast<const MSG*>(lParam), false);
    case WM_ERASEBKGND:
        return onEraseBackground(reinterpret_cast<HDC>(wParam)) ? 1 : 0;
    case WM_ENABLE:
        InvalidateRect(handle(), nullptr, FALSE);
        return 0;
    case WM_PAINT:
        onPaint();
        return 0;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

void ImageTrackBar::setImages(int thumbId, int channelId, int playedId)
{
    thumb_ = std::make_unique<AlphaImage>(thumbId);
    channel_ = std::make_unique<AlphaImage>(channelId);
    played_ = playedId != 0 ? std::make_unique<AlphaImage>(playedId) : nullptr;
    moveThumb();
    InvalidateRect(handle(), nullptr, TRUE);
}

int ImageTrackBar::clientWidth() const
{
    RECT client;
    GetClientRect(handle(), &client);
    return client.right - client.left;
}

int ImageTrackBar::thumbWidth() const
{
    return thumb_ != nullptr ? thumb_->width() : 0;
}

TrackScale ImageTrackBar::scale() const
{
    const bool drawable = thumb_ != nullptr && thumb_->hasPicture() && channel_ != nullptr && channel_->hasPicture();
    return TrackScale(minimum_, maximum_, clientWidth(), thumbWidth(), drawable);
}

void ImageTrackBar::moveThumb()
{
    thumbX_ = scale().pixelOf(value_);
}

void ImageTrackBar::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(maximum, minimum);
    value_ = std::clamp(value_, minimum_, maximum_);
    moveThumb();
    InvalidateRect(handle(), nullptr, FALSE);
}

void ImageTrackBar::setValue(int value, bool notify)
{
    value = std::clamp(value, minimum_, maximum_);
    const int pixel = scale().pixelOf(value);
    if (pixel != thumbX_) {
        thumbX_ = pixel;
        InvalidateRect(handle(), nullptr, FALSE);
    }
    if (value != value_) {
        value_ = value;
        if (notify && listener_ != nullptr) {
            listener_->trackChanged(this);
        }
    }
}

void ImageTrackBar::setToolTip(TrackToolTip* tooltip)
{
    tooltip_ = tooltip;
    if (tooltip_ != nullptr) {
        tooltip_->addTrackingTool(handle(), valueText());
    }
}

void ImageTrackBar::setThreeSlice(bool threeSlice)
{
    threeSlice_ = threeSlice;
    InvalidateRect(handle(), nullptr, FALSE);
}

void ImageTrackBar::setMarks(const TrackMarks& marks)
{
    marks_ = marks;
    InvalidateRect(handle(), nullptr, FALSE);
}

bool ImageTrackBar::isHeld() const
{
    return GetCapture() == handle();
}

std::wstring ImageTrackBar::valueText() const
{
    return valueText_ ? valueText_(value_) : std::to_wstring(value_);
}

bool ImageTrackBar::belowBarrier(int px) const
{
    if (!barrier_) {
        return false;
    }
    const auto lowest = scale().barrierPx(marks_);
    return lowest.has_value() && px < *lowest;
}

void ImageTrackBar::onButtonDown(int x)
{
    const TrackScale geometry = scale();
    const bool onThumb = thumbX_ <= x && x <= thumbX_ + thumbWidth();
    if (!onThumb) {
        int px = geometry.pointerPx(x);
        if (barrier_) {
            px = std::max(px, geometry.barrierPx(marks_).value_or(px));
        }
        setValue(geometry.valueAtPx(px), false);
    }
    if (listener_ != nullptr) {
        listener_->trackStarted(this);
        listener_->trackChanged(this);
    }
    SetCapture(handle());
    dragging_ = true;
    SetTimer(handle(), dragTimer, dragTickMs, nullptr);
    if (tooltip_ != nullptr) {
        tooltip_->show(handle(), valueText());
    }
}

void ImageTrackBar::onMouseMove(int x)
{
    if (GetCapture() != handle()) {
        return;
    }
    const TrackScale geometry = scale();
    const int px = geometry.pointerPx(x);
    if (!belowBarrier(px)) {
        setValue(geometry.valueAtPx(px), false);
    }
    if (tooltip_ != nullptr) {
        moveToolTip(px);
        tooltip_->setText(handle(), valueText());
    }
}

void ImageTrackBar::moveToolTip(int px)
{
    RECT window;
    GetWindowRect(handle(), &window);
    const int x = std::clamp(static_cast<int>(window.left) + px, static_cast<int>(window.left),
                             static_cast<int>(window.right));
    tooltip_->move(x, window.top - toolTipRise);
}

void ImageTrackBar::onTimer()
{
    if (GetCapture() == handle() && IsWindowEnabled(handle())) {
        if (listener_ != nullptr) {
            listener_->trackChanged(this);
        }
        return;
    }
    KillTimer(handle(), dragTimer);
}

void ImageTrackBar::onButtonUp(int x)
{
    if (GetCapture() != handle()) {
        return;
    }
    dragging_ = false; // the release below is ours, not a lost drag
    ReleaseCapture();
    const TrackScale geometry = scale();
    const int px = geometry.pointerPx(x);
    if (!belowBarrier(px)) {
        setValue(geometry.valueAtPx(px), true);
    }
    endDrag();
}

void ImageTrackBar::onCaptureLost()
{
    // Another window took the mouse in mid-drag (a message box, a switch to another program): the
    // drag ends where the thumb stands, as a release there would end it.
    if (!dragging_) {
        return;
    }
    dragging_ = false;
    endDrag();
}

void ImageTrackBar::endDrag()
{
    KillTimer(handle(), dragTimer);
    if (tooltip_ != nullptr) {
        tooltip_->hide(handle());
    }
    if (listener_ != nullptr) {
        listener_->trackChanged(this);
        listener_->trackEnded(this);
    }
}

bool ImageTrackBar::onEraseBackground(HDC dc)
{
    if (channel_ != nullptr && channel_->hasPicture()) {
        return true;
    }
    RECT client;
    GetClientRect(handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

void ImageTrackBar::onPaint()
{
    PaintDc paint(handle());
    RECT client;
    GetClientRect(handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    MemoryDc memory(paint.get());
    GdiObject<HBITMAP> bitmap(memory.get() != nullptr ? CreateCompatibleBitmap(paint.get(), width, height) : nullptr);
    if (!bitmap) {
        paintInto(paint.get(), width, height);
        return;
    }
    {
        SelectedObject selected(memory.get(), bitmap.get());
        paintInto(memory.get(), width, height);
        BitBlt(paint.get(), 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
    }
}

void ImageTrackBar::paintInto(HDC dc, int width, int height)
{
    // The pictures may be lower than the bar; what they leave shows the button face.
    const RECT client{0, 0, width, height};
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (threeSlice_) {
        drawChannel(dc, width, height);
    } else if (channel_ != nullptr) {
        channel_->drawAt(dc, 0, 0);
    }
    if (thumb_ != nullptr) {
        thumb_->drawAt(dc, thumbX_, 0);
    }
    if (GetFocus() == handle()) {
        const RECT focus{1, 1, width - 1, height - 1};
        DrawFocusRect(dc, &focus);
    }
}

void ImageTrackBar::drawChannel(HDC dc, int width, int /*height*/)
{
    if (channel_ == nullptr) {
        return;
    }
    const AlphaImage& played = played_ != nullptr && played_->hasPicture() ? *played_ : *channel_;
    const ChannelSlices slices(channel_->width(), thumbWidth(), thumbX_, width);
    const int sliceHeight = channel_->height();
    for (int i = 0; i < slices.count(); ++i) {
        const SliceCopy& copy = slices[i];
        const AlphaImage& source = copy.played ? played : *channel_;
        source.drawColumns(dc, copy.destX, 0, copy.destWidth, sliceHeight, copy.sourceX, copy.sourceWidth);
    }
}
