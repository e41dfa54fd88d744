#pragma once
// The settings dialog's detailed tab, lower page: the lateral-axis correction (0 to 0.30 G) and
// the mounting-direction correction (-45 to 45 degrees, or "自動学習する").
#include "ui/Dialog.h"

class GThresholdDialog09Page2Ex : public Dialog {
public:
    GThresholdDialog09Page2Ex();

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Hundredths of G, 0 to 30.
    int lateral() const;
    void setLateral(int hundredths);
    // Degrees, or LearnAutomatically (8000), which checks "自動学習する".
    int angle() const;
    void applyAngle(int degrees);
    bool learning() const;

    HWND lateralEdit() const { return lateral_edit_; }
    HWND lateralUpdown() const { return lateral_updown_; }
    HWND angleEdit() const { return angle_edit_; }
    HWND angleUpdown() const { return angle_updown_; }
    HWND learnBox() const { return learn_box_; }

private:
    void onInitDialog();
    INT_PTR onCommand(int id, int code);
    INT_PTR onNotify(const NMHDR& header);
    void onAngleScroll();
    void onLateralEditDone();
    void onAngleEditDone();
    // Checked: the angle is 0 and cannot be changed; unchecked: it can.
    void onLearnChanged();
    void showLateral();
    void showAngle(int degrees);

    HWND lateral_slider_ = nullptr;
    HWND lateral_edit_ = nullptr;
    HWND lateral_updown_ = nullptr;
    HWND learn_box_ = nullptr;
    HWND angle_edit_ = nullptr;
    HWND angle_updown_ = nullptr;
    int last_angle_ = 0;
};
