#include "ui/WindowUtilities.h"

#include "ui/Window.h"

bool isEnabled(HWND window)
{
    return (GetWindowLongW(window, GWL_STYLE) & WS_DISABLED) == 0;
}

void setEnabled(HWND window, bool enabled)
{
    if (isEnabled(window) == enabled) {
        return;
    }
    EnableWindow(window, enabled ? TRUE : FALSE);
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void centreWindow(HWND window, HWND reference)
{
    RECT outer;
    RECT target;
    if (!GetWindowRect(window, &outer) || !GetWindowRect(reference, &target)) {
        return;
    }
    POINT place{target.left + ((target.right - target.left) - (outer.right - outer.left)) / 2,
                target.top + ((target.bottom - target.top) - (outer.bottom - outer.top)) / 2};
    // Window rectangles are in screen coordinates; a child is placed in its parent's client
    // coordinates, so the same point must be translated for it to land where it was meant.
    if ((GetWindowLongW(window, GWL_STYLE) & WS_CHILD) != 0) {
        MapWindowPoints(nullptr, GetParent(window), &place, 1);
    }
    SetWindowPos(window, nullptr, place.x, place.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
}

CreationRecord childRecord(HWND parent, int x, int y, int width, int height)
{
    CreationRecord record;
    record.className = Window::defaultClassName;
    record.style = WS_CHILD | WS_VISIBLE;
    record.x = x;
    record.y = y;
    record.width = width;
    record.height = height;
    record.parent = parent;
    return record;
}

LRESULT skinnedDialogCode(const MSG* pending, bool takesEnter)
{
    if (pending != nullptr &&
        (pending->message == WM_KEYDOWN || pending->message == WM_KEYUP || pending->message == WM_CHAR) &&
        !(takesEnter && pending->wParam == VK_RETURN)) {
        return 0;
    }
    return DLGC_WANTCHARS | DLGC_WANTALLKEYS;
}
