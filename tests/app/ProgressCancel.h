#pragma once
// Presses キャンセル in the first progress window with a given caption that comes up while the
// object lives (a hook on this thread's window activations). One at a time.
#include <windows.h>

#include <string>

#include "base/Text.h"

class ProgressCancel {
public:
    explicit ProgressCancel(int caption_id)
    {
        caption() = load_text(caption_id);
        window() = nullptr;
        hook_ = SetWindowsHookExW(WH_CBT, on_hook, nullptr, GetCurrentThreadId());
    }
    ~ProgressCancel() { UnhookWindowsHookEx(hook_); }
    ProgressCancel(const ProgressCancel&) = delete;
    ProgressCancel& operator=(const ProgressCancel&) = delete;

    // The progress window cancelled, or null when none came up.
    HWND cancelled() const { return window(); }

private:
    static std::wstring& caption()
    {
        static std::wstring text;
        return text;
    }
    static HWND& window()
    {
        static HWND handle = nullptr;
        return handle;
    }
    static LRESULT CALLBACK on_hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_ACTIVATE && window() == nullptr) {
            wchar_t text[64] = {};
            GetWindowTextW(reinterpret_cast<HWND>(wParam), text, 64);
            if (caption() == text) {
                window() = reinterpret_cast<HWND>(wParam);
                PostMessageW(window(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    HHOOK hook_ = nullptr;
};
