#include "device/WindowTakeover.h"

namespace {

const wchar_t previous_procedure_property[] = L"Tarvo.PreviousWindowProcedure";

WNDPROC previous_procedure(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetPropW(window, previous_procedure_property));
}

} // namespace

bool take_over_window(HWND window, WNDPROC replacement)
{
    if (window == nullptr || previous_procedure(window) != nullptr) {
        return false;
    }
    const auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (current == nullptr || current == replacement) {
        return false;
    }
    if (!SetPropW(window, previous_procedure_property, reinterpret_cast<HANDLE>(current))) {
        return false;
    }
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement));
    return true;
}

LRESULT pass_on(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const WNDPROC previous = previous_procedure(window);
    if (previous == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_DESTROY) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(window, previous_procedure_property);
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}
