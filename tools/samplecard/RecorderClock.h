#pragma once
// The recorder's two clocks: the calendar clock stamped on frames, and the millisecond counter
// since power-on that orders the blocks. Both advance together from the first frame.
#include "samplecard/CivilTime.h"
#include "samplecard/Random.h"

#include <cstdint>
#include <optional>
#include <string>

namespace samplecard {

class RecorderClock {
public:
    // The first frame was captured at `start` + `sub_second_ms` on the calendar clock and at
    // `first_ms` on the counter.
    RecorderClock(CivilTime start, int sub_second_ms, uint32_t first_ms);
    // A plausible day and time (2011, daytime) and power-on time drawn from `random`; `start`
    // replaces the calendar part when given.
    static RecorderClock drawn(Random& random, const std::optional<CivilTime>& start);

    CivilTime calendar(int64_t offset_ms) const;
    uint32_t counter(int64_t offset_ms) const { return first_ms_ + static_cast<uint32_t>(offset_ms); }
    uint32_t first_ms() const { return first_ms_; }

private:
    CivilTime start_;
    int sub_second_ms_;
    uint32_t first_ms_;
};

// When frame `frame` of a recording at `fps` frames per second was captured, in ms after
// frame 0: at or just after the start of its frame period, a few ms late as the capture
// jitters, but never near the next period. Frame 0 is at 0.
int64_t frame_offset_ms(int frame, int fps, uint64_t seed);

// "2011/05/14 08:31:22": the recorder's date stamp.
std::string stamp_text(const CivilTime& time);

} // namespace samplecard
