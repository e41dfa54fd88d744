#include "ui/ImageButton.h"

#include "ui/ImageButtonListener.h"
#include "ui/WindowUtilities.h"

#include <windowsx.h>

namespace {

constexpr UINT_PTR repeatTimer = 0;
constexpr UINT repeatMs = 100;

std::unique_ptr<AlphaImage> imageOrNone(int id)
{
    return id != 0 ? std::make_unique<AlphaImage>(id) : nullptr;
}

} // namespace

ImageButton::ImageButton(HWND parent, int x, int y, int width, int height)
{
    create(childRecord(parent, x, y, width, height));
}

LRESULT ImageButton::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        onPress();
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN && GetCapture() != handle()) {
            enterHeld_ = true;
            onPress();
        }
        return 0;
    case WM_KEYUP:
        if (wParam == VK_RETURN) {
            onEnterUp();
        }
        return 0;
    case WM_TIMER:
        onTimer();
        return 0;
    case WM_CAPTURECHANGED:
        KillTimer(handle(), repeatTimer);
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_GETDLGCODE:
        return skinnedDialogCode(reinterpret_cast<const MSG*>(lParam), true);
    case WM_CHAR:
        return 0;
    case WM_SETCURSOR:
        if (onSetCursor()) {
            return TRUE;
        }
        break;
    case WM_ERASEBKGND:
        onEraseBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_ENABLE:
        InvalidateRect(handle(), nullptr, TRUE);
        return 0;
    case WM_PAINT:
        onPaint();
        return 0;
    default:
        break;
    }
    return Window::windowProc(message, wParam, lParam);
}

void ImageButton::setImages(int normalId, int pressedId, int disabledId)
{
    normal_ = imageOrNone(normalId);
    pressed_ = imageOrNone(pressedId);
    disabled_ = imageOrNone(disabledId);
    InvalidateRect(handle(), nullptr, TRUE);
}

void ImageButton::clearDrawEdge()
{
    drawEdge_ = false;
    InvalidateRect(handle(), nullptr, TRUE);
}

void ImageButton::setCaption(const std::wstring& caption)
{
    caption_ = caption;
    InvalidateRect(handle(), nullptr, TRUE);
}

void ImageButton::setFont(HFONT font)
{
    font_.reset(font);
    InvalidateRect(handle(), nullptr, TRUE);
}

void ImageButton::setShownPressed(bool pressed)
{
    shownPressed_ = pressed;
    InvalidateRect(handle(), nullptr, TRUE);
}

bool ImageButton::isPressed() const
{
    return shownPressed_ || GetCapture() == handle();
}

void ImageButton::repaintPressState()
{
    if (drawEdge_ || pressed_ != nullptr) {
        InvalidateRect(handle(), nullptr, TRUE);
        UpdateWindow(handle());
    }
}

void ImageButton::onPress()
{
    SetCapture(handle());
    repaintPressState();
    if (listener_ != nullptr) {
        listener_->buttonPressed(this);
    }
    SetTimer(handle(), repeatTimer, repeatMs, nullptr);
}

void ImageButton::onTimer()
{
    // Auto-repeat wherever the pointer is, for as long as the button is held and enabled.
    if (GetCapture() == handle() && IsWindowEnabled(handle())) {
        if (listener_ != nullptr) {
            listener_->buttonPressed(this);
        }
        return;
    }
    KillTimer(handle(), repeatTimer);
}

void ImageButton::onButtonUp(int x, int y)
{
    KillTimer(handle(), repeatTimer);
    enterHeld_ = false;
    ReleaseCapture();
    repaintPressState();
    RECT client;
    GetClientRect(handle(), &client);
    const POINT pointer{x, y};
    if (PtInRect(&client, pointer) && listener_ != nullptr) {
        listener_->buttonClicked(this);
    }
}

void ImageButton::onEnterUp()
{
    // An Enter released without having pressed this button (it was held when the focus came
    // here) clicks nothing.
    if (!enterHeld_) {
        return;
    }
    enterHeld_ = false;
    KillTimer(handle(), repeatTimer);
    ReleaseCapture();
    repaintPressState();
    if (listener_ != nullptr) {
        listener_->buttonClicked(this);
    }
}

bool ImageButton::onSetCursor()
{
    if (cursor_ == nullptr) {
        return false;
    }
    SetCursor(cursor_);
    return true;
}

void ImageButton::onEraseBackground(HDC dc)
{
    RECT client;
    GetClientRect(handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
}

void ImageButton::onPaint()
{
    PaintDc paint(handle());
    HDC dc = paint.get();
    RECT client;
    GetClientRect(handle(), &client);
    const bool pressed = isPressed();
    const bool enabled = IsWindowEnabled(handle()) != FALSE;
    if (drawEdge_) {
        RECT edge = client;
        DrawEdge(dc, &edge, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    if (normal_ != nullptr) {
        const AlphaImage* image = (!enabled && disabled_ != nullptr) ? disabled_.get() : normal_.get();
        int top = 0;
        if (pressed) {
            if (pressed_ != nullptr) {
                image = pressed_.get();
            } else if (!drawEdge_) {
                return;
            } else {
                top = 1;
            }
        }
        image->drawStretched(dc, 0, top, width, height);
        return;
    }
    if (caption_.empty()) {
        return;
    }
    SelectedObject font(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    RECT text = client;
    if (pressed) {
        OffsetRect(&text, 0, 1);
    }
    DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
