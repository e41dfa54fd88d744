#include "playback/ClipTimeline.h"

#include <algorithm>

ClipTimeline::ClipTimeline(int frames_per_second) : frames_per_second_(std::max(frames_per_second, 1)) {}

int64_t ClipTimeline::part_slots(int frame_count, int64_t sound_samples) const
{
    // Enough slots to cover the last sample: the player holds the last picture until the sound
    // device has played everything.
    const int64_t sound_slots = (std::max<int64_t>(sound_samples, 0) * frames_per_second_ + sample_rate - 1) / sample_rate;
    return std::max<int64_t>(std::max(frame_count, 0), sound_slots);
}

int ClipTimeline::frame_of_slot(int64_t slot, int frame_count)
{
    return static_cast<int>(std::clamp<int64_t>(slot, 0, std::max(frame_count - 1, 0)));
}

int64_t ClipTimeline::samples_before(int64_t slot) const
{
    return slot * sample_rate / frames_per_second_;
}
