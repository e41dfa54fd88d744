#include "device/GThresholdDialog09Page1.h"

#include "device/DialogControls.h"
#include "device/GThresholdDialog09.h"
#include "device/GThresholdDialog09Page2.h"
#include "device/ThresholdLevels.h"
#include "ResourceIds.h"

#include <commctrl.h>

using namespace threshold_levels;

namespace {

constexpr int level_step = 2; // slider positions a level

} // namespace

GThresholdDialog09Page1::GThresholdDialog09Page1(GThresholdDialog09& settings)
    : Dialog(IDD_G_LEVEL_PAGE), settings_(settings)
{
}

INT_PTR GThresholdDialog09Page1::dialogProc(UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog();
        return TRUE;
    case WM_HSCROLL:
        onScroll();
        return TRUE;
    default:
        // A page never ends itself: OK and Cancel belong to the settings dialog.
        return FALSE;
    }
}

void GThresholdDialog09Page1::onInitDialog()
{
    slider_ = GetDlgItem(handle(), IDC_G_LEVEL_SLIDER);
    label_ = GetDlgItem(handle(), IDC_G_LEVEL_LABEL);
    set_slider(slider_, last_position, level_step);
    SendMessageW(slider_, TBM_SETTICFREQ, level_step, 0);
}

void GThresholdDialog09Page1::setLevel(int hundredths)
{
    const int position = level_position(hundredths);
    set_slider_position(slider_, position);
    if (position % 2 == 0) {
        onScroll();
    } else {
        showBetweenLevels(position);
    }
}

int GThresholdDialog09Page1::position() const { return slider_position(slider_); }

void GThresholdDialog09Page1::onScroll()
{
    const int position = snapped_position(slider_position(slider_));
    if (position != slider_position(slider_)) {
        set_slider_position(slider_, position);
    }
    SetWindowTextW(label_, level_label(position).c_str());
    SendMessageW(slider_, TBM_SETPAGESIZE, 0, level_step);
    SendMessageW(slider_, TBM_SETLINESIZE, 0, level_step);
    settings_.page2().setThreshold(level_threshold(position));
}

void GThresholdDialog09Page1::showBetweenLevels(int position)
{
    SetWindowTextW(label_, level_label(position).c_str());
    // From between two levels one step reaches either neighbour.
    SendMessageW(slider_, TBM_SETPAGESIZE, 0, 1);
    SendMessageW(slider_, TBM_SETLINESIZE, 0, 1);
}
