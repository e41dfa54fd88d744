#pragma once
// Raises the multimedia timer's resolution to the device's finest period (at least 1 ms) for
// the owner's lifetime, so that deadlines are met to about a millisecond.
class TimerResolution {
public:
    TimerResolution();
    ~TimerResolution();
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;

    // The period set, in ms; 0 when none could be set.
    unsigned period() const { return period_; }

private:
    unsigned period_ = 0;
};
