#include "device/GThresholdDialog09Page2.h"

#include "device/DialogControls.h"
#include "device/EditNumbers.h"
#include "device/SettingsItems.h"
#include "device/ThresholdLevels.h"
#include "ResourceIds.h"

#include <commctrl.h>

using namespace threshold_levels;

GThresholdDialog09Page2::GThresholdDialog09Page2() : Dialog(IDD_G_EXACT_PAGE) {}

INT_PTR GThresholdDialog09Page2::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog();
        return TRUE;
    case WM_HSCROLL:
        showValue();
        return TRUE;
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        // The edit's id is IDOK: its notifications must not reach the base, which would end the page.
        if (LOWORD(wParam) == IDC_G_EXACT_EDIT && HIWORD(wParam) == EN_KILLFOCUS) {
            onEditDone();
        }
        return TRUE;
    default:
        return FALSE;
    }
}

void GThresholdDialog09Page2::onInitDialog()
{
    slider_ = GetDlgItem(handle(), IDC_G_EXACT_SLIDER);
    edit_ = GetDlgItem(handle(), IDC_G_EXACT_EDIT);
    updown_ = GetDlgItem(handle(), IDC_G_EXACT_UPDOWN);
    set_slider(slider_, exact_position(min_g_threshold), 1);
    SendMessageW(updown_, UDM_SETRANGE32, min_g_threshold, max_g_threshold);
    SendMessageW(updown_, UDM_SETPOS32, 0, (min_g_threshold + max_g_threshold) / 2);
    showValue();
}

int GThresholdDialog09Page2::threshold() const { return exact_threshold(slider_position(slider_)); }

void GThresholdDialog09Page2::setThreshold(int hundredths)
{
    set_slider_position(slider_, exact_position(hundredths));
    showValue();
}

INT_PTR GThresholdDialog09Page2::onNotify(const NMHDR& header)
{
    if (header.hwndFrom != updown_ || header.code != UDN_DELTAPOS) {
        return FALSE;
    }
    // The up arrow raises the threshold, which lies toward the slider's start; the up-down keeps
    // its own position, so it never stops at an end of its range.
    const int delta = reinterpret_cast<const NMUPDOWN&>(header).iDelta;
    if (delta != 0) {
        setThreshold(threshold() + (delta > 0 ? 1 : -1));
    }
    return notify_result(handle(), TRUE);
}

void GThresholdDialog09Page2::onEditDone()
{
    if (const auto typed = parse_hundredths(window_text(edit_), min_g_threshold, max_g_threshold)) {
        set_slider_position(slider_, exact_position(*typed));
    }
    showValue();
}

void GThresholdDialog09Page2::showValue() { SetWindowTextW(edit_, hundredths_text(threshold()).c_str()); }
