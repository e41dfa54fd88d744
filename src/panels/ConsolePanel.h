#pragma once
// The transport strip under the picture in the event and continuous modes: play/pause, stop,
// previous and next recording, frame steps (event mode) or chapter steps (continuous mode), the
// position bar with the detection marker and the stopwatch's marks, and the readout of the time
// from the detection instant.
#include "panels/ConsoleState.h"
#include "ui/AlphaImage.h"
#include "ui/ImageButtonListener.h"
#include "ui/ImageTrackBarListener.h"
#include "ui/Window.h"

#include <array>
#include <memory>
#include <string>

class IConsoleOwner;
class IConsoleStopwatch;
class ImageButton;
class PlayButton;
class PlayTrackBar;
class TrackToolTip;
class VideoPlayer;

class ConsolePanel : public Window, public ImageButtonListener, public ImageTrackBarListener {
public:
    static constexpr int height = 65;

    // A visible child of `parent` at (x, y), `width` wide; the owner lays it out afterwards.
    ConsolePanel(HWND parent, IConsoleOwner& owner, VideoPlayer& player, IConsoleStopwatch& stopwatch, int x = 0,
                 int y = 0, int width = 870);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // ImageButtonListener
    void buttonClicked(ImageButton* button) override;
    void buttonPressed(ImageButton* button) override;
    // ImageTrackBarListener
    void trackChanged(ImageTrackBar* bar) override;
    void trackStarted(ImageTrackBar* bar) override;
    void trackEnded(ImageTrackBar* bar) override;

    // Brings the buttons, the position bar and the readout in line with the player; while the
    // panel is disabled, only the readout.
    void refresh();
    // The display mode (a DataType) of what is opened: continuous steps by chapter.
    void setDataType(int dataType);
    // The step buttons' tooltips for the display mode: chapters in the continuous mode, frames
    // otherwise.
    void setStepToolTips(int dataType);
    // Enables or disables the panel and its seven controls, and shows or hides the step buttons
    // and the position bar.
    void enable(bool flag);
    // Back to the start: bar at 0 without marks, then a refresh.
    void reset();
    // The stopwatch whose marks the bar shows (the console starts with one that holds none).
    void setStopwatch(IConsoleStopwatch& stopwatch) { stopwatch_ = &stopwatch; }

    PlayButton& playButton() const { return *play_; }
    ImageButton& stopButton() const { return *stop_; }
    ImageButton& previousButton() const { return *previous_; }
    ImageButton& nextButton() const { return *next_; }
    ImageButton& backButton() const { return *back_; }
    ImageButton& forwardButton() const { return *forward_; }
    PlayTrackBar& positionBar() const { return *bar_; }
    TrackToolTip& toolTip() const { return *tooltip_; }
    // The readout as last computed ("±00.0" at first).
    const std::wstring& readout() const { return readout_; }
    bool continuous() const;

    // The readout's first glyph stands this far left of the right edge.
    static constexpr int readoutFromRight = 83;
    static constexpr int readoutTop = 26;

private:
    PlayerSnapshot snapshot() const;
    void updateReadout(const ConsoleState& shown);
    void clickPlay();
    void clickStop();
    void stepChapter(bool forward);
    void onEraseBackground(HDC dc);
    void drawBackground(HDC dc) const;
    void onPaint();
    void drawReadout(HDC dc) const;
    void onSize(int width);
    RECT readoutRect() const;

    IConsoleOwner& owner_;
    VideoPlayer& player_;
    IConsoleStopwatch* stopwatch_;
    int dataType_ = 0;
    int stateOnTrackStart_ = 0;
    std::wstring readout_;

    // The controls belong to their windows, children of this one.
    PlayButton* play_ = nullptr;
    ImageButton* stop_ = nullptr;
    ImageButton* previous_ = nullptr;
    ImageButton* next_ = nullptr;
    ImageButton* back_ = nullptr;
    ImageButton* forward_ = nullptr;
    PlayTrackBar* bar_ = nullptr;
    TrackToolTip* tooltip_ = nullptr;

    AlphaImage left_;
    AlphaImage middle_;
    AlphaImage right_;
    AlphaImage disabledMiddle_;
    AlphaImage disabledRight_;
    std::array<std::unique_ptr<AlphaImage>, 14> glyphs_;
};
