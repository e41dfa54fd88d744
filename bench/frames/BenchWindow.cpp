#include "BenchWindow.h"

#include "playback/PlayerMessages.h"
#include "support/Timing.h"
#include "image/Image.h"

#include <stdexcept>

namespace {

const wchar_t* const class_name = L"TarvoBenchWindow";

void register_class()
{
    static const bool registered = [] {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = DefWindowProcW;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = class_name;
        window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        return RegisterClassW(&window_class) != 0;
    }();
    if (!registered) {
        throw std::runtime_error("cannot register the window class");
    }
}

} // namespace

BenchWindow::BenchWindow(int client_width, int client_height)
{
    register_class();
    RECT frame{0, 0, client_width, client_height};
    AdjustWindowRect(&frame, WS_POPUP, FALSE);
    window_ = CreateWindowExW(0, class_name, L"", WS_POPUP | WS_VISIBLE, 0, 0, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) {
        throw std::runtime_error("cannot create the window");
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure));
    UpdateWindow(window_);
    pump_until(seconds_now() + 0.2); // let the window settle before anything is timed
}

BenchWindow::~BenchWindow()
{
    // Pictures still on their way belong to the window; free them with it.
    MSG message;
    while (PeekMessageW(&message, window_, WM_PICTURE_DELIVERED, WM_PICTURE_DELIVERED, PM_REMOVE)) {
        delete reinterpret_cast<Image*>(message.lParam);
    }
    DestroyWindow(window_);
}

LRESULT CALLBACK BenchWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<BenchWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_PICTURE_DELIVERED) {
        const double arrival = seconds_now();
        std::unique_ptr<Image> picture(reinterpret_cast<Image*>(lParam));
        self->last_ = {picture_index(wParam), arrival, picture != nullptr};
        self->delivered_ = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool BenchWindow::pump_once(DWORD wait_ms)
{
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait_ms, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return delivered_;
}

bool BenchWindow::wait_for_delivery(Delivery& delivery, DWORD timeout_ms)
{
    const double deadline = seconds_now() + timeout_ms / 1000.0;
    while (!delivered_ && seconds_now() < deadline) {
        pump_once(10);
    }
    const bool arrived = delivered_;
    if (arrived) {
        delivery = last_;
    }
    delivered_ = false;
    return arrived;
}

void BenchWindow::pump_until(double until)
{
    for (double left = until - seconds_now(); left > 0; left = until - seconds_now()) {
        pump_once(static_cast<DWORD>(left * 1000));
    }
}
