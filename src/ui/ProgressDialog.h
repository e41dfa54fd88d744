#pragma once
// The standard progress window: a line of text, a progress bar and a キャンセル button over
// a modal loop that does the work step by step on the user-interface thread. Each turn does
// steps for a few tens of milliseconds and then lets the window paint and answer the mouse and
// keys before the next turn, so the button stops the work at once.
#include "ui/Dialog.h"

#include <exception>
#include <string>

class IProgressWork;

class ProgressDialog : public Dialog {
public:
    enum Outcome { finished, cancelled };

    // `caption`: the window's title.
    ProgressDialog(IProgressWork& work, std::wstring caption);

    // Shows the window over `owner` until the work is finished or cancelled. A failure of the
    // work closes the window and is thrown again from here.
    Outcome run(HWND owner);

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The message that asks for the next turn (posted, or sent by a timer when the user's
    // input is waiting).
    static constexpr UINT step_message = WM_APP + 19;

private:
    void on_init_dialog();
    void on_step();
    void schedule_next_step();
    void show_progress();

    IProgressWork& work_;
    std::wstring caption_;
    std::exception_ptr failure_;
};
