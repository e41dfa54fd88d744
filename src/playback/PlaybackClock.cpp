#include "playback/PlaybackClock.h"

#include <cmath>

namespace {

// Frame boundaries are multiples of a period that is not a whole number of milliseconds; a
// position computed as frame x period must count as that frame, not the one before it.
constexpr double boundary_slack = 1e-6;

} // namespace

int PlaybackClock::due_frame(double position_ms) const
{
    return static_cast<int>(std::floor(position_ms / period_ + boundary_slack));
}

PlaybackClock::Tick PlaybackClock::tick(double position_ms, int frame_count) const
{
    const auto limit = [frame_count](int frame) {
        return frame_count <= 0 ? 0 : frame < 0 ? 0 : frame >= frame_count ? frame_count - 1 : frame;
    };
    Tick result;
    result.due = limit(due_frame(position_ms));
    result.next = limit(result.due + 1);
    result.delay_ms = delay_until(result.next, position_ms);
    return result;
}

unsigned PlaybackClock::delay_until(int frame, double position_ms) const
{
    const double wait = std::ceil(frame * period_ - boundary_slack - position_ms);
    return wait > 0 ? static_cast<unsigned>(wait) : 0u;
}
