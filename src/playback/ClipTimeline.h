#pragma once
// The time-line of an exported clip: the recording's files (an event file, or the chapters of a
// continuous recording) one after another on one frame clock, each as long as the player plays
// it: all its frames, and when its sound lasts longer, its last picture held until the sound
// has ended. The sound of each file starts with the file's first slot.
#include <cstdint>

class ClipTimeline {
public:
    static constexpr int sample_rate = 11025;

    explicit ClipTimeline(int frames_per_second);

    int frames_per_second() const { return frames_per_second_; }
    // The slots of a file of `frame_count` frames and `sound_samples` samples of sound.
    int64_t part_slots(int frame_count, int64_t sound_samples) const;
    // The picture a file's slot shows: its own frame, then the last one held.
    static int frame_of_slot(int64_t slot, int frame_count);
    // The samples of sound that lie before slot `slot` of the whole clip.
    int64_t samples_before(int64_t slot) const;

private:
    int frames_per_second_;
};
