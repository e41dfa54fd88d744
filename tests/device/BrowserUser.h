#pragma once
// Plays the user of the shell's folder browser in the tests: a second thread waits for the
// browser that the test thread shows, looks at it, and ends it by pressing a button.
#include <atomic>
#include <functional>
#include <thread>

#include <windows.h>

namespace chooser_test {

enum class Ending {
    press_ok,
    press_cancel,
    command_ok, // WM_COMMAND IDOK straight to the browser, also when its OK button is disabled
};

using BrowserScript = std::function<Ending(HWND browser)>;

struct BrowserVisit {
    bool met_browser = false;      // the browser appeared within the waiting time
    bool ended_as_asked = false;   // and closed after the script's ending
};

// Waits on the user's thread until `condition` holds, looking again every few milliseconds
// (nothing on this thread can signal it: the browser lives on the chooser's thread), at most for
// `timeout_ms`; whether it holds.
inline bool eventually(const std::function<bool()>& condition, DWORD timeout_ms = 10000)
{
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeout_ms) {
            return condition();
        }
        Sleep(5);
    }
    return true;
}

namespace detail {

struct BrowserSearch {
    HWND found = nullptr;
};

inline BOOL CALLBACK look_for_browser(HWND window, LPARAM search)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window)) {
        reinterpret_cast<BrowserSearch*>(search)->found = window;
        return FALSE;
    }
    return TRUE;
}

inline HWND wait_for_browser(DWORD thread_id)
{
    BrowserSearch search;
    eventually(
        [&] {
            EnumThreadWindows(thread_id, look_for_browser, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        30000);
    return search.found;
}

inline bool wait_until_gone(HWND browser)
{
    return eventually([&] { return !IsWindow(browser); });
}

inline void end_browser(HWND browser, Ending ending)
{
    switch (ending) {
    case Ending::press_ok:
        PostMessageW(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
        break;
    case Ending::press_cancel:
        PostMessageW(GetDlgItem(browser, IDCANCEL), BM_CLICK, 0, 0);
        break;
    case Ending::command_ok:
        PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(browser, IDOK)));
        break;
    }
}

} // namespace detail

// Runs `choose` (which shows the browser) on the calling thread while `script` acts on the
// browser from a second thread. A browser that does not close as asked is cancelled, so a
// failing test ends instead of hanging.
template <typename Choose>
BrowserVisit visit_browser(Choose choose, const BrowserScript& script)
{
    BrowserVisit visit;
    const DWORD chooser_thread = GetCurrentThreadId();
    std::thread user([&] {
        const HWND browser = detail::wait_for_browser(chooser_thread);
        if (browser == nullptr) {
            return;
        }
        visit.met_browser = true;
        detail::end_browser(browser, script(browser));
        visit.ended_as_asked = detail::wait_until_gone(browser);
        if (!visit.ended_as_asked) {
            PostMessageW(browser, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    });
    choose();
    user.join();
    return visit;
}

} // namespace chooser_test
