#pragma once
// The lap list: a small modeless window that lists the ten laps of the stopwatch's measurement,
// with their durations and average speeds, and the total. One exists for the whole program; its
// window is made when the list is shown and destroyed when it is closed.
#include "ui/Dialog.h"
#include "ui/GdiHandles.h"

class LapMeasurement;
class LapListOwner;

class LapDialog : public Dialog {
public:
    // Asks the list to repaint itself at once. A private message of ours: the range above
    // WM_USER belongs to the dialog manager inside a dialog (WM_USER + 1 is DM_SETDEFID).
    static constexpr UINT repaint_message = WM_APP + 1;

    LapDialog(const LapMeasurement& laps, LapListOwner& owner);
    ~LapDialog() override;

    // Shows the list (made when it is not open) owned by `owner`; its window, or null when it
    // could not be made (the user has been told).
    HWND show(HWND owner);
    // Destroys the window without telling the owner; nothing when the list is not open.
    void close();
    bool is_open() const { return open_; }
    // Repaints an open list.
    void repaint();

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Where the list draws (client pixels).
    static constexpr RECT box{5, 5, 203, 230};
    static constexpr int row_x = 21;
    static constexpr int first_row_y = 20;
    static constexpr int row_pitch = 17;
    static constexpr POINT total_place{14, 200};

private:
    void on_init_dialog();
    void on_paint();
    void on_close_command();
    void on_destroy();

    const LapMeasurement& laps_;
    LapListOwner& owner_;
    bool open_ = false;
    GdiObject<HFONT> button_font_;
    GdiObject<HFONT> text_font_;
};
