#pragma once
// The lap stopwatch of the dashboard: times laps over the playback of a continuous recording
// from the recorded frame times, shows the running time and the last lap, and opens the lap
// list. Its marks (start, laps, end) appear on the console's position bar. Disabled in the
// event and image display modes.
#include "panels/IConsoleStopwatch.h"
#include "panels/LapDialog.h"
#include "panels/LapListOwner.h"
#include "panels/LapMeasurement.h"
#include "ui/AlphaImage.h"
#include "ui/GdiHandles.h"
#include "ui/ImageButtonListener.h"
#include "ui/Window.h"
#include "ResourceIds.h"

#include <functional>
#include <memory>

class ImageButton;
class TrackToolTip;
class VideoPlayer;

class StopWatch : public Window, public ImageButtonListener, public LapListOwner, public IConsoleStopwatch {
public:
    // A child of `parent`, placed by it; reads the player's state, position and frame table.
    StopWatch(HWND parent, VideoPlayer& player);
    ~StopWatch() override;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Called after the marks change, so the position bar shows them (the console's refresh).
    void set_marks_listener(std::function<void()> listener) { marks_changed_ = std::move(listener); }

    // The display mode (the DataType of the recording being opened).
    void set_data_type(int data_type) { data_type_ = data_type; }
    // Clears the whole measurement and the player's frame table, disables the buttons and the
    // window, and repaints an open lap list: a recording opens, or a chapter failed to load.
    void full_reset();
    // Continuous mode only: the buttons follow the player's state (0 nothing open, 1 playing,
    // 2 stopped, 3 paused) and the measurement; the window is enabled.
    void update_buttons(int player_state);
    // Event and image modes close the lap list; the continuous mode repaints it.
    void lap_list_by_mode();
    // Ends the measurement as the start/stop button would; without one, disables that button.
    void end_measuring();
    // The console's play and stop buttons allow or forbid a start.
    void enable_start_stop(bool enabled);
    // Repaints the readout for the player's present position.
    void redraw();

    // What the console's position bar shows and obeys.
    bool measuring() const override { return laps_.measuring(); }
    int lap_count() const { return laps_.lap_count(); }
    int start_mark() const { return laps_.start_mark(); }
    int end_mark() const { return laps_.end_mark(); }
    const std::array<int, LapMeasurement::max_laps>& lap_marks() const { return laps_.lap_marks(); }
    // The last lap mark, else the start mark; 0 for none.
    int last_mark() const { return laps_.last_mark(); }

    const LapMeasurement& measurement() const { return laps_; }
    LapDialog& lap_list() { return *lap_list_; }
    ImageButton& start_stop_button() { return *start_stop_; }
    ImageButton& lap_reset_button() { return *lap_reset_; }
    ImageButton& lap_list_button() { return *lap_list_button_; }

    // IConsoleStopwatch: the console's play and stop buttons and its position bar.
    int lapCount() const override { return laps_.lap_count(); }
    TrackMarks marks() const override;
    void endMeasuring() override { end_measuring(); }
    void enableStartStop() override { enable_start_stop(true); }

    // ImageButtonListener
    void buttonClicked(ImageButton* button) override;
    void buttonPressed(ImageButton*) override {}
    // LapListOwner
    void lap_list_closed() override;

    // Where the readout draws (client pixels).
    static constexpr int box_left = 15;
    static constexpr int box_top = 7;
    static constexpr int box_right_margin = 15;
    static constexpr int box_bottom_margin = 55;
    static constexpr int first_line_y = 10;
    static constexpr int second_line_y = 22;

private:
    void on_start_stop();
    void on_lap_reset();
    void on_lap_list();
    void on_paint();
    bool on_erase_background(HDC dc);

    bool continuous_mode() const;
    bool playing() const;
    int global_frame() const;
    void marks_changed();

    VideoPlayer& player_;
    LapMeasurement laps_;
    std::unique_ptr<LapDialog> lap_list_;
    int data_type_ = 0;
    std::function<void()> marks_changed_;
    AlphaImage background_{IDB_STOPWATCH_BACKGROUND};
    GdiObject<HBRUSH> black_;
    GdiObject<HFONT> font_;
    TrackToolTip* tips_ = nullptr;     // windows of their own, children of this one
    ImageButton* start_stop_ = nullptr;
    ImageButton* lap_reset_ = nullptr;
    ImageButton* lap_list_button_ = nullptr;
};
