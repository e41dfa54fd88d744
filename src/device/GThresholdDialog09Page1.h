#pragma once
// The settings dialog's simple tab: the shock threshold as one of eleven levels on a slider
// between "低" and "高", two positions a level; an odd position shows a threshold between two
// levels ("5*").
#include "ui/Dialog.h"

class GThresholdDialog09;

class GThresholdDialog09Page1 : public Dialog {
public:
    explicit GThresholdDialog09Page1(GThresholdDialog09& settings);

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Shows the level of a threshold; an exact level also sets the detailed tab to it.
    void setLevel(int hundredths);
    int position() const;
    HWND slider() const { return slider_; }

private:
    void onInitDialog();
    // The user moved the slider: an odd position snaps toward "高", and the detailed tab
    // follows the level.
    void onScroll();
    void showBetweenLevels(int position);

    GThresholdDialog09& settings_;
    HWND slider_ = nullptr;
    HWND label_ = nullptr;
};
