#include "ui/TrackScale.h"

#include <algorithm>

int TrackMarks::lastLap() const
{
    int last = 0;
    for (const int lap : laps) {
        if (lap == 0) {
            break;
        }
        last = lap;
    }
    return last;
}

TrackScale::TrackScale(int minimum, int maximum, int barWidth, int thumbWidth, bool drawable)
    : minimum_(minimum), maximum_(maximum), barWidth_(barWidth), thumbWidth_(thumbWidth), drawable_(drawable)
{
}

int TrackScale::pixelOf(int value) const
{
    if (!drawable_ || maximum_ == minimum_) {
        return 0;
    }
    const double span = static_cast<double>(barWidth_ - thumbWidth_);
    return static_cast<int>((static_cast<double>(value) - minimum_) * span / (static_cast<double>(maximum_) - minimum_));
}

int TrackScale::valueAtPx(int px) const
{
    const int travel = barWidth_ - thumbWidth_;
    if (travel <= 0) {
        return minimum_;
    }
    const double range = static_cast<double>(maximum_) - minimum_;
    const double offset = range * (px - thumbWidth_ / 2) / travel;
    const double value = std::clamp(minimum_ + offset, static_cast<double>(minimum_), static_cast<double>(maximum_));
    return static_cast<int>(value);
}

std::optional<int> TrackScale::barrierPx(const TrackMarks& marks) const
{
    const int lap = marks.lastLap();
    const int mark = lap != 0 ? lap : marks.start;
    if (mark == 0) {
        return std::nullopt;
    }
    return pixelOf(mark) + thumbWidth_ / 2;
}

int TrackScale::markLeft(int value, int markWidth) const
{
    return pixelOf(value) + thumbWidth_ / 2 - markWidth / 2 + 2;
}
