#pragma once
// What the video player asks of the window that owns it (the main window). The player calls
// upward only through this, so playback depends on nothing above it.
#include <windows.h>

class IPlayerOwner {
public:
    virtual ~IPlayerOwner() = default;

    // After every change of state and at every tick: the owner reads state, frame and
    // information from the player and passes them to the panels.
    virtual void position_update() = 0;
    // Returns the dashboard to its empty state after a failure.
    virtual void reset_display() = 0;
    // Resets the console panel (position bar and buttons).
    virtual void reset_console() = 0;

    // The stopwatch: whether it measures; end its measuring (as if its start/stop button were
    // pressed, or disable that button when it does not measure); the then-play flag of a
    // position-bar seek.
    virtual bool stopwatch_measuring() const = 0;
    virtual void end_stopwatch_measuring() = 0;
    virtual void stopwatch_then_play(int then_play) = 0;

    // A chapter is being opened: reset the line chart, drop the circle chart's cached background
    // and repaint it, repaint the info panel. Then, once it is open, drop the line chart's cached
    // background.
    virtual void chapter_opening() = 0;
    virtual void chapter_opened() = 0;

    // The window that owns the player's message boxes.
    virtual HWND owner_window() const = 0;
};
