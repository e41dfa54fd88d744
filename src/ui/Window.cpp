#include "ui/Window.h"

#include "platform/WindowsError.h"
#include "ui/HandleMap.h"
#include "ui/ProcedureFailure.h"

namespace {

HandleMap<Window>& windowMap()
{
    static HandleMap<Window> map;
    return map;
}

void registerDefaultClass()
{
    static ATOM atom = 0;
    if (atom != 0) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_VREDRAW | CS_HREDRAW;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = Window::defaultClassName;
    atom = RegisterClassExW(&windowClass);
    if (atom == 0) {
        throw format_error(GetLastError());
    }
}

WNDPROC procedureOf(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

} // namespace

Window::Window()
{
    registerDefaultClass();
}

Window::~Window()
{
    detach();
}

LRESULT Window::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (previousProcedure_ != nullptr && previousProcedure_ != sharedWindowProc) {
        return CallWindowProcW(previousProcedure_, handle_, message, wParam, lParam);
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

void Window::create(const CreationRecord& record)
{
    HWND window = CreateWindowExW(record.extendedStyle, record.className, record.windowName, record.style, record.x,
                                  record.y, record.width, record.height, record.parent, record.menu, record.instance,
                                  record.parameter);
    if (window == nullptr) {
        throw format_error(GetLastError());
    }
    attach(window);
}

Window* Window::fromHandle(HWND handle)
{
    return windowMap().find(handle);
}

void Window::attach(HWND handle)
{
    if (handle == nullptr || handle_ != nullptr || windowMap().find(handle) != nullptr) {
        return;
    }
    handle_ = handle;
    previousProcedure_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sharedWindowProc)));
    windowMap().insert(handle, this);
}

void Window::detach()
{
    if (handle_ == nullptr || !windowMap().erase(handle_, this)) {
        return;
    }
    // The messages still to come (WM_NCDESTROY above all) go to the procedure the window had
    // before, so that a taken-over system control frees its own data. A procedure that was
    // installed over ours stays: it calls ours, which hands unbound handles to DefWindowProcW.
    if (previousProcedure_ != nullptr && previousProcedure_ != sharedWindowProc &&
        procedureOf(handle_) == sharedWindowProc) {
        SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousProcedure_));
    }
}

LRESULT Window::dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    ++activeCalls_;
    LRESULT result = 0;
    try {
        result = windowProc(message, wParam, lParam);
    } catch (...) {
        reportProcedureFailure();
    }
    --activeCalls_;
    if (message == WM_DESTROY) {
        detach();
        destroyed_ = true;
    }
    if (destroyed_ && activeCalls_ == 0) {
        delete this;
    }
    return result;
}

LRESULT CALLBACK sharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* object = windowMap().find(window);
    if (object == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return object->dispatch(message, wParam, lParam);
}
