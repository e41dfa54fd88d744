#pragma once
// A stand-in for the main window that lets the player run and is told nothing it must act on;
// benchmarks override what they watch.
#include "playback/IPlayerOwner.h"

class QuietPlayerOwner : public IPlayerOwner {
public:
    void position_update() override {}
    void reset_display() override {}
    void reset_console() override {}
    bool stopwatch_measuring() const override { return false; }
    void end_stopwatch_measuring() override {}
    void stopwatch_then_play(int) override {}
    void chapter_opening() override {}
    void chapter_opened() override {}
    HWND owner_window() const override { return nullptr; }
};
