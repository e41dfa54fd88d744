#pragma once
// What the console shows for a given state of the player: which buttons are enabled, the play
// button's look, the position bar's range and value, and the offset readout.
#include <string>

// The player as the console reads it.
struct PlayerSnapshot {
    int state = 0; // 0 nothing open, 1 playing, 2 stopped, 3 paused
    int frame = 0; // within the current chapter
    int chapter = 0;
    int chapterCount = 0;
    int totalFrames = 0; // over all chapters
    bool hasInfo = false;
    int frameCount = 0;
    int detectionIndex = -1;
    int kindCode = 0;
    bool continuous = false;
};

class ConsoleState {
public:
    static constexpr int chapterFrames = 600;

    explicit ConsoleState(const PlayerSnapshot& player);

    bool playEnabled = false;
    bool stopEnabled = false;
    bool previousEnabled = false;
    bool nextEnabled = false;
    bool forwardEnabled = false;
    bool backEnabled = false;
    bool playingLook = false;
    // The bar runs 0 ... barMaximum (raised to 0 by the bar when negative).
    int barMaximum = 0;
    // Whether the bar's value follows the player, and to which value.
    bool movesBar = false;
    int barValue = 0;
    // The continuous mode shows the stopwatch's marks and no readout.
    bool showsReadout = false;
    std::wstring readout;
};
