#include "DeviceDialogDriver.h"

#include "platform/Messages.h"

#include <utility>

#include <commctrl.h>

namespace device_test {

namespace {

// The dialogs' tab control, sliders, up-downs and date picker.
const bool controls_ready = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x3FFF};
    return InitCommonControlsEx(&controls) != FALSE;
}();

struct Run {
    Dialog* dialog;
    const std::function<void(HWND)>* script;
};
Run current_run{};
CardUser* current_user = nullptr;

void CALLBACK start_script(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (current_run.dialog == nullptr || current_run.dialog->handle() == nullptr ||
        !IsWindowVisible(current_run.dialog->handle())) {
        return; // not shown yet: the timer comes again
    }
    KillTimer(nullptr, timer);
    HWND dialog = current_run.dialog->handle();
    (*current_run.script)(dialog);
    // An ended dialog is hidden at once and destroyed when the modal loop returns.
    if (IsWindow(dialog) && IsWindowVisible(dialog)) {
        EndDialog(dialog, stayed_open);
    }
    current_run = {};
}

struct Awaited {
    std::wstring title;
    const std::function<void(HWND)>* script = nullptr;
};
Awaited awaited;

BOOL CALLBACK find_titled(HWND window, LPARAM found)
{
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    if (IsWindowVisible(window) && awaited.title == title) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK start_awaited_script(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), find_titled, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    (*awaited.script)(dialog);
    if (IsWindow(dialog) && IsWindowVisible(dialog)) {
        EndDialog(dialog, stayed_open);
    }
    awaited = {};
}

} // namespace

void on_next_dialog(const std::wstring& title, const std::function<void(HWND dialog)>& script)
{
    awaited = {title, &script};
    SetTimer(nullptr, 0, 20, start_awaited_script);
}

INT_PTR run_modal(Dialog& dialog, HWND owner, const std::function<void(HWND dialog)>& script)
{
    current_run = {&dialog, &script};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, start_script);
    const INT_PTR result = dialog.doModal(owner);
    KillTimer(nullptr, timer);
    current_run = {};
    return result;
}

CardUser::CardUser()
{
    current_user = this;
    set_message_handler(&CardUser::answer);
    set_folder_choice_handler([this](const std::wstring& prompt, HWND, wchar_t (&folder)[MAX_PATH]) {
        prompts_.push_back(prompt);
        if (folder_.empty()) {
            return false;
        }
        folder_.copy(folder, MAX_PATH - 1);
        folder[std::min<size_t>(folder_.size(), MAX_PATH - 1)] = L'\0';
        return true;
    });
}

CardUser::~CardUser()
{
    set_folder_choice_handler(nullptr);
    set_message_handler(nullptr);
    current_user = nullptr;
}

int CardUser::answer(HWND, const std::wstring& text, int caption_id, UINT style)
{
    current_user->shown_.push_back({text, caption_id, style});
    if (current_user->buttons_.empty()) {
        return IDOK;
    }
    const int button = current_user->buttons_.front();
    current_user->buttons_.pop_front();
    return button;
}

std::vector<std::wstring> CardUser::texts() const
{
    std::vector<std::wstring> all;
    for (const Shown& box : shown_) {
        all.push_back(box.text);
    }
    return all;
}

void type_into(HWND edit, const std::wstring& text, HWND next)
{
    SetFocus(edit);
    SetWindowTextW(edit, text.c_str());
    SetFocus(next);
}

std::wstring text_of(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

void press(HWND control, WPARAM key)
{
    SetFocus(control);
    SendMessageW(control, WM_KEYDOWN, key, 0);
    SendMessageW(control, WM_KEYUP, key, 0);
}

void click_updown(HWND updown, bool up)
{
    RECT client{};
    GetClientRect(updown, &client);
    const LPARAM where = MAKELPARAM(client.right / 2, up ? client.bottom / 4 : client.bottom * 3 / 4);
    SendMessageW(updown, WM_LBUTTONDOWN, MK_LBUTTON, where);
    SendMessageW(updown, WM_LBUTTONUP, 0, where);
}

void click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

} // namespace device_test
