#include "ui/ProgressDialog.h"

#include "base/Text.h"
#include "ResourceIds.h"
#include "ui/IProgressWork.h"
#include "ui/WindowUtilities.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

namespace {

constexpr DWORD turn_ms = 40;      // steps done in one go before the window is served again
constexpr UINT_PTR step_timer = 1;
constexpr int bar_range = 1000;

} // namespace

ProgressDialog::ProgressDialog(IProgressWork& work, std::wstring caption)
    : Dialog(IDD_EXPORT_PROGRESS), work_(work), caption_(std::move(caption))
{
}

ProgressDialog::Outcome ProgressDialog::run(HWND owner)
{
    const INT_PTR result = doModal(owner);
    if (failure_) {
        std::rethrow_exception(failure_);
    }
    return result == IDOK ? finished : cancelled;
}

INT_PTR ProgressDialog::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        on_init_dialog();
        return TRUE;
    case step_message:
        on_step();
        return TRUE;
    case WM_TIMER:
        if (wParam == step_timer) {
            KillTimer(handle(), step_timer);
            on_step();
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) {
            KillTimer(handle(), step_timer);
            EndDialog(handle(), IDCANCEL);
            return TRUE;
        }
        return FALSE; // Enter does not end the work
    default:
        break;
    }
    return Dialog::dialogProc(message, wParam, lParam);
}

void ProgressDialog::on_init_dialog()
{
    SetWindowTextW(handle(), caption_.c_str());
    SetDlgItemTextW(handle(), IDCANCEL, load_text(texts::export_cancel).c_str());
    SendDlgItemMessageW(handle(), IDC_EXPORT_PROGRESS_BAR, PBM_SETRANGE32, 0, bar_range);
    show_progress();
    if (owner() != nullptr) {
        centreWindow(handle(), owner());
    }
    PostMessageW(handle(), step_message, 0, 0);
}

void ProgressDialog::on_step()
{
    const DWORD start = GetTickCount();
    try {
        bool more = true;
        do {
            more = work_.step();
        } while (more && GetTickCount() - start < turn_ms);
        show_progress();
        if (!more) {
            EndDialog(handle(), IDOK);
            return;
        }
    } catch (...) {
        failure_ = std::current_exception();
        EndDialog(handle(), IDABORT);
        return;
    }
    schedule_next_step();
}

void ProgressDialog::schedule_next_step()
{
    // The window and its owner are drawn now: the system draws only when no posted message
    // waits, which during the work is never.
    RedrawWindow(handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    if (owner() != nullptr) {
        RedrawWindow(owner(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    // A posted message would come before the user's input and the painting every time; when
    // either waits, the next turn goes behind them on a timer.
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT)) != 0) {
        SetTimer(handle(), step_timer, USER_TIMER_MINIMUM, nullptr);
    } else {
        PostMessageW(handle(), step_message, 0, 0);
    }
}

void ProgressDialog::show_progress()
{
    const int64_t total = std::max<int64_t>(work_.total(), 1);
    const int64_t done = std::clamp<int64_t>(work_.done(), 0, total);
    SendDlgItemMessageW(handle(), IDC_EXPORT_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(done * bar_range / total), 0);
    SetDlgItemTextW(handle(), IDC_EXPORT_PROGRESS_TEXT, work_.progress_text().c_str());
}
