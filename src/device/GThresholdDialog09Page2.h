#pragma once
// The settings dialog's detailed tab, upper page: the exact shock threshold from 0.40 to 0.60 G
// on a slider (position 0 is 0.60 G), in an edit and by an up-down.
#include "ui/Dialog.h"

class GThresholdDialog09Page2 : public Dialog {
public:
    GThresholdDialog09Page2();

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Hundredths of G, 40 to 60.
    int threshold() const;
    void setThreshold(int hundredths);
    HWND slider() const { return slider_; }
    HWND edit() const { return edit_; }
    HWND updown() const { return updown_; }

private:
    void onInitDialog();
    INT_PTR onNotify(const NMHDR& header);
    void onEditDone();
    void showValue();

    HWND slider_ = nullptr;
    HWND edit_ = nullptr;
    HWND updown_ = nullptr;
};
