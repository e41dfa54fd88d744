#include "device/GThresholdDialog09Page2Ex.h"

#include "device/DialogControls.h"
#include "device/EditNumbers.h"
#include "device/SettingsItems.h"
#include "ResourceIds.h"

#include <commctrl.h>

#include <string>

GThresholdDialog09Page2Ex::GThresholdDialog09Page2Ex() : Dialog(IDD_CORRECTION_PAGE) {}

INT_PTR GThresholdDialog09Page2Ex::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog();
        return TRUE;
    case WM_HSCROLL:
        showLateral();
        return TRUE;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == angle_updown_) {
            onAngleScroll();
        }
        return TRUE;
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        return onCommand(LOWORD(wParam), HIWORD(wParam));
    default:
        return FALSE;
    }
}

void GThresholdDialog09Page2Ex::onInitDialog()
{
    lateral_slider_ = GetDlgItem(handle(), IDC_LATERAL_SLIDER);
    lateral_edit_ = GetDlgItem(handle(), IDC_LATERAL_EDIT);
    lateral_updown_ = GetDlgItem(handle(), IDC_LATERAL_UPDOWN);
    learn_box_ = GetDlgItem(handle(), IDC_LEARN_AUTOMATICALLY);
    angle_edit_ = GetDlgItem(handle(), IDC_ANGLE_EDIT);
    angle_updown_ = GetDlgItem(handle(), IDC_ANGLE_UPDOWN);
    set_slider(lateral_slider_, max_lateral_correction, 1);
    SendMessageW(lateral_updown_, UDM_SETRANGE32, min_lateral_correction, max_lateral_correction);
    SendMessageW(lateral_updown_, UDM_SETPOS32, 0, (min_lateral_correction + max_lateral_correction) / 2);
    SendMessageW(angle_updown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(angle_edit_), 0);
    SendMessageW(angle_updown_, UDM_SETRANGE32, min_direction_correction, max_direction_correction);
    showAngle(0);
    showLateral();
}

int GThresholdDialog09Page2Ex::lateral() const { return slider_position(lateral_slider_); }

void GThresholdDialog09Page2Ex::setLateral(int hundredths)
{
    set_slider_position(lateral_slider_, hundredths);
    showLateral();
}

bool GThresholdDialog09Page2Ex::learning() const
{
    return SendMessageW(learn_box_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int GThresholdDialog09Page2Ex::angle() const
{
    int degrees = 0;
    if (learning() || !updown_position(angle_updown_, degrees)) {
        return LearnAutomatically;
    }
    return degrees;
}

void GThresholdDialog09Page2Ex::applyAngle(int degrees)
{
    if (degrees == LearnAutomatically) {
        SendMessageW(learn_box_, BM_SETCHECK, BST_CHECKED, 0);
    } else {
        SendMessageW(learn_box_, BM_SETCHECK, BST_UNCHECKED, 0);
        showAngle(degrees);
    }
    onLearnChanged();
}

INT_PTR GThresholdDialog09Page2Ex::onCommand(int id, int code)
{
    if (id == IDC_LATERAL_EDIT && code == EN_KILLFOCUS) {
        onLateralEditDone();
    } else if (id == IDC_ANGLE_EDIT && code == EN_KILLFOCUS) {
        onAngleEditDone();
    } else if (id == IDC_LEARN_AUTOMATICALLY && code == BN_CLICKED) {
        onLearnChanged();
    }
    return TRUE; // a page never ends itself
}

INT_PTR GThresholdDialog09Page2Ex::onNotify(const NMHDR& header)
{
    if (header.hwndFrom != lateral_updown_ || header.code != UDN_DELTAPOS) {
        return FALSE;
    }
    // The up arrow raises the correction shown; the up-down keeps its own position.
    const int delta = reinterpret_cast<const NMUPDOWN&>(header).iDelta;
    if (delta != 0) {
        setLateral(lateral() + (delta > 0 ? 1 : -1));
    }
    return notify_result(handle(), TRUE);
}

void GThresholdDialog09Page2Ex::onAngleScroll()
{
    int degrees = 0;
    if (updown_position(angle_updown_, degrees)) {
        showAngle(degrees);
    }
}

void GThresholdDialog09Page2Ex::onLateralEditDone()
{
    if (const auto typed = parse_hundredths(window_text(lateral_edit_), min_lateral_correction, max_lateral_correction)) {
        set_slider_position(lateral_slider_, *typed);
    }
    showLateral();
}

void GThresholdDialog09Page2Ex::onAngleEditDone()
{
    const auto typed = parse_whole(window_text(angle_edit_), min_direction_correction, max_direction_correction);
    showAngle(typed.value_or(last_angle_));
}

void GThresholdDialog09Page2Ex::onLearnChanged()
{
    const bool checked = learning();
    if (checked) {
        showAngle(0);
    }
    EnableWindow(angle_edit_, !checked);
    EnableWindow(angle_updown_, !checked);
}

void GThresholdDialog09Page2Ex::showLateral()
{
    SetWindowTextW(lateral_edit_, hundredths_text(lateral()).c_str());
}

void GThresholdDialog09Page2Ex::showAngle(int degrees)
{
    SendMessageW(angle_updown_, UDM_SETPOS32, 0, degrees);
    SetWindowTextW(angle_edit_, std::to_wstring(degrees).c_str());
    last_angle_ = degrees;
}
