#include "device/DialogControls.h"

#include <commctrl.h>

std::wstring window_text(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void set_slider(HWND slider, int last, int page)
{
    SendMessageW(slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, last));
    SendMessageW(slider, TBM_SETPAGESIZE, 0, page);
    SendMessageW(slider, TBM_SETLINESIZE, 0, page);
}

int slider_position(HWND slider) { return static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0)); }

void set_slider_position(HWND slider, int position) { SendMessageW(slider, TBM_SETPOS, TRUE, position); }

bool updown_position(HWND updown, int& position)
{
    BOOL failed = FALSE;
    position = static_cast<int>(SendMessageW(updown, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    return !failed;
}

INT_PTR notify_result(HWND dialog, LRESULT result)
{
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}
