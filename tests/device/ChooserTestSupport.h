#pragma once
// Windows and guards shared by the folder chooser's tests.
#include "recording/DataType.h"

#include <string>
#include <vector>

#include <windows.h>

namespace chooser_test {

// A visible top-level window to own the browser, at a known place.
class OwnerWindow {
public:
    OwnerWindow()
    {
        WNDCLASSEXW window_class{};
        window_class.cbSize = sizeof window_class;
        window_class.lpfnWndProc = DefWindowProcW;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"TarvoChooserTestOwner";
        RegisterClassExW(&window_class); // already registered by an earlier test: fine
        window_ = CreateWindowExW(0, L"TarvoChooserTestOwner", L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 50,
                                  900, 700, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    ~OwnerWindow() { DestroyWindow(window_); }

    HWND get() const { return window_; }

private:
    HWND window_;
};

// Puts the process-wide data type back after a test changed it.
class DataTypeGuard {
public:
    DataTypeGuard() : saved_(current_data_type()) {}
    DataTypeGuard(const DataTypeGuard&) = delete;
    DataTypeGuard& operator=(const DataTypeGuard&) = delete;
    ~DataTypeGuard() { set_current_data_type(saved_); }

private:
    int saved_;
};

inline RECT rect_in_parent(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline POINT top_left_in_parent(HWND child)
{
    const RECT rect = rect_in_parent(child);
    return {rect.left, rect.top};
}

// The centre of `window`'s outer rectangle may differ from `reference`'s by the rounding of
// the halved size difference only.
inline bool is_centred_on(HWND window, HWND reference)
{
    RECT inner{};
    RECT outer{};
    GetWindowRect(window, &inner);
    GetWindowRect(reference, &outer);
    const int dx = (inner.left + inner.right) - (outer.left + outer.right);
    const int dy = (inner.top + inner.bottom) - (outer.top + outer.bottom);
    return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
}

inline std::wstring window_text(HWND window)
{
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

inline std::vector<std::wstring> combo_entries(HWND combo)
{
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t entry[256] = L"";
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
        entries.emplace_back(entry);
    }
    return entries;
}

inline bool has_visible_style(HWND window)
{
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

inline WNDPROC procedure_of(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
}

// F1 on the window: the system sends WM_HELP with a HELPINFO for it.
inline LRESULT send_help(HWND window)
{
    HELPINFO help{};
    help.cbSize = sizeof help;
    help.iContextType = HELPINFO_WINDOW;
    help.hItemHandle = window;
    return SendMessageW(window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
}

} // namespace chooser_test
