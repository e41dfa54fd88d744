#pragma once
// Where the playback keys move the position: ← and → one frame of an event recording or one
// second of a continuous one, Home and End its first and last frame.
#include "base/FrameClock.h"

#include <optional>

class KeySeek {
public:
    enum Move { back, forward, first, last };

    // The frame of an event recording of `frameCount` frames that `move` goes to from `frame`.
    static int eventTarget(Move move, int frame, int frameCount);

    // The position over all chapters (chapter × 600 + frame) of a continuous recording of
    // `totalFrames` frames that `move` goes to from `position`: a second is ten frames. Moves
    // back stop at `lowest` (the stopwatch's barrier while it measures), unless already below it.
    static int continuousTarget(Move move, int position, int totalFrames, std::optional<int> lowest);
};
