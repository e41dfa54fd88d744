#pragma once
// The arithmetic of a track bar, in plain numbers: where the thumb stands for a value, which
// value the pointer picks, where the barrier at the last stopwatch mark lies and where a mark is
// drawn. Every conversion truncates toward zero.
#include <array>
#include <optional>

// The stopwatch's marks as a bar shows them: 0 means "no mark"; the lap marks end at the first 0.
struct TrackMarks {
    int start = 0;
    int end = 0;
    std::array<int, 10> laps{};

    // The last lap mark before the first 0, or 0 without any lap.
    int lastLap() const;
};

class TrackScale {
public:
    // `barWidth` is the client width, `thumbWidth` the thumb picture's width. A bar without its
    // thumb or channel picture is not drawable: every value then stands at pixel 0.
    TrackScale(int minimum, int maximum, int barWidth, int thumbWidth, bool drawable = true);

    // The thumb's left edge for `value`; 0 when the range is empty or the bar is not drawable.
    int pixelOf(int value) const;
    // The pointer's x as the bar compares it: moved right by half a thumb, so that the thumb's
    // left edge follows the pointer.
    int pointerPx(int pointerX) const { return pointerX + thumbWidth_ / 2; }
    // The value at `px` (from pointerPx), clamped into the range. A bar no wider than its thumb
    // has nowhere to move and gives the minimum.
    int valueAtPx(int px) const;
    // The lowest px a drag may reach while the barrier is up: the last lap mark's, else the
    // start mark's; none without either.
    std::optional<int> barrierPx(const TrackMarks& marks) const;
    // The left edge of a mark picture `markWidth` wide for the frame `value`: centred two columns
    // right of the thumb's middle.
    int markLeft(int value, int markWidth) const;

private:
    int minimum_;
    int maximum_;
    int barWidth_;
    int thumbWidth_;
    bool drawable_;
};
