#pragma once
// The player's frame clock in plain numbers: which frame the sound (or, without sound, the
// clock's own time base) says is due, and how long until a given frame falls due, so that each
// tick is aimed at the moment the next frame begins rather than one period after the last tick.
#include <cstdint>

class PlaybackClock {
public:
    // 1000 / frame rate: 33.333... or 100.0 ms.
    void set_period(double period_ms) { period_ = period_ms; }
    double period() const { return period_; }

    // The frame playing at `position_ms` of the recording (not limited to the frame count).
    int due_frame(double position_ms) const;
    // Whole milliseconds from `position_ms` until frame `frame` begins; 0 when it has begun.
    // Rounded up, so that a tick at that moment finds the frame due and never the one before.
    unsigned delay_until(int frame, double position_ms) const;

    // One tick of a playing recording of `frame_count` frames that stands at `position_ms`: the
    // frame due (limited to the recording), the frame to ask for next (the one after it) and how
    // long until that one falls due, when the next tick is to come.
    struct Tick {
        int due = 0;
        int next = 0;
        unsigned delay_ms = 0;
    };
    Tick tick(double position_ms, int frame_count) const;

    // The time base without sound: the recording stood at `offset_ms` at timer time `now_ms`.
    void start(uint32_t now_ms, int offset_ms)
    {
        start_ = now_ms;
        offset_ms_ = offset_ms;
    }
    // Where that time base puts the recording at timer time `now_ms` (the timer may wrap).
    double position_at(uint32_t now_ms) const
    {
        return static_cast<double>(static_cast<int32_t>(now_ms - start_)) + offset_ms_;
    }

private:
    double period_ = 1000.0 / 30;
    uint32_t start_ = 0;
    int offset_ms_ = 0;
};
