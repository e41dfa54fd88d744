#pragma once
// Drives the device dialogs as a user would while they run modally: a script runs once the
// dialog is up; the folder chooser and the message boxes are answered from lists the test sets.
#include "device/FolderChooser.h"
#include "ui/Dialog.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace device_test {

// The result of run_modal when the script left the dialog open.
constexpr INT_PTR stayed_open = 99;

// Shows `dialog` modally over `owner`, runs `script` on its handle once it is up, and ends it
// with stayed_open if the script did not end it. Returns the dialog's result.
INT_PTR run_modal(Dialog& dialog, HWND owner, const std::function<void(HWND dialog)>& script);

// Runs `script` on the next dialog with this title that this thread shows (a command makes the
// dialog object itself), ending it with stayed_open if the script did not end it. Call it before
// the command; `script` must live until the dialog has been shown.
void on_next_dialog(const std::wstring& title, const std::function<void(HWND dialog)>& script);

struct Shown {
    std::wstring text;
    int caption_id;
    UINT style;
};

// Answers the folder chooser and the message boxes while it lives, and keeps what they asked.
class CardUser {
public:
    CardUser();
    ~CardUser();
    CardUser(const CardUser&) = delete;
    CardUser& operator=(const CardUser&) = delete;

    // Every choice of folder picks `folder` (empty: the user cancels).
    void chooses(const std::wstring& folder) { folder_ = folder; }
    // The boxes are answered in this order; once the list is used up, with IDOK.
    void answers(std::vector<int> buttons) { buttons_.assign(buttons.begin(), buttons.end()); }

    const std::vector<std::wstring>& prompts() const { return prompts_; }
    const std::vector<Shown>& shown() const { return shown_; }
    // The texts shown, in order.
    std::vector<std::wstring> texts() const;

private:
    static int answer(HWND, const std::wstring& text, int caption_id, UINT style);

    std::wstring folder_;
    std::deque<int> buttons_;
    std::vector<std::wstring> prompts_;
    std::vector<Shown> shown_;
};

// Types `text` into an edit and moves the focus on, as a user leaving the field does.
void type_into(HWND edit, const std::wstring& text, HWND next);
std::wstring text_of(HWND window);
// One key press on a control.
void press(HWND control, WPARAM key);
// A click on the upper (up) or lower (down) half of an up-down control.
void click_updown(HWND updown, bool up);
void click(HWND button);

} // namespace device_test
