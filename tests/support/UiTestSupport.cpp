#include "support/UiTestSupport.h"

#include "ui/GdiHandles.h"
#include "platform/Messages.h"

#include <algorithm>

namespace {

std::vector<ShownMessage> recorded;
int answer_with = IDOK;

int recordMessage(HWND owner, const std::wstring& text, int captionId, UINT style)
{
    recorded.push_back({owner, text, captionId, style});
    return answer_with;
}

const wchar_t* hostClass()
{
    return testWindowClass(L"TarvoTestHost", DefWindowProcW, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

} // namespace

const wchar_t* testWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &windowClass)) {
        return name;
    }
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    return RegisterClassExW(&windowClass) != 0 ? name : nullptr;
}

void pumpPending()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

namespace {
constexpr DWORD recheckMs = 10;

bool struck = false;

// A system callback, so it takes the system's calling convention (a lambda does not on 32 bits).
void CALLBACK strike(HWND, UINT, UINT_PTR, DWORD) { struck = true; }
} // namespace

bool pumpUntilTimerStrikes(UINT ms)
{
    struck = false;
    const UINT_PTR probe = SetTimer(nullptr, 0, ms, strike);
    const bool result = probe != 0 && pumpUntil([] { return struck; }, ms + 10000);
    KillTimer(nullptr, probe);
    return result;
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs) {
            return done();
        }
        // Woken by a message, or after a moment for a condition that another thread (or process)
        // changes without one.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(timeoutMs - elapsed, recheckMs), QS_ALLINPUT);
        pumpPending();
    }
    return true;
}

MessageRecorder::MessageRecorder()
{
    recorded.clear();
    answer_with = IDOK;
    set_message_handler(recordMessage);
}

MessageRecorder::~MessageRecorder()
{
    set_message_handler(nullptr);
}

void MessageRecorder::answer(int button)
{
    answer_with = button;
}

const std::vector<ShownMessage>& MessageRecorder::shown() const
{
    return recorded;
}

HostWindow::HostWindow(int x, int y, int width, int height, DWORD style, HWND parent)
    : window_(CreateWindowExW(0, hostClass(), L"host", style, x, y, width, height, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr))
{
    UpdateWindow(window_);
    pumpPending();
}

HostWindow::~HostWindow()
{
    if (IsWindow(window_)) {
        DestroyWindow(window_);
    }
}

COLORREF pixelOf(HWND window, int x, int y)
{
    const WindowDc dc(window);
    return GetPixel(dc.get(), x, y);
}

MessageWindow::MessageWindow(Handler handler) : handler_(std::move(handler))
{
    window_ = CreateWindowExW(0, testWindowClass(L"TarvoTestMessages", &procedure), L"", WS_POPUP, 0, 0, 10, 10,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

MessageWindow::~MessageWindow()
{
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

LRESULT CALLBACK MessageWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<MessageWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && self->handler_(message, wParam, lParam)) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
