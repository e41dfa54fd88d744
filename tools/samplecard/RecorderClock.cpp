#include "samplecard/RecorderClock.h"

#include <cstdio>
#include <string>

namespace samplecard {

RecorderClock::RecorderClock(CivilTime start, int sub_second_ms, uint32_t first_ms)
    : start_(start), sub_second_ms_(sub_second_ms), first_ms_(first_ms)
{
}

RecorderClock RecorderClock::drawn(Random& random, const std::optional<CivilTime>& start)
{
    CivilTime drawn;
    drawn.year = 2011;
    drawn.month = random.between(1, 12);
    drawn.day = random.between(1, 28);
    drawn.hour = random.between(7, 18);
    drawn.minute = random.between(0, 59);
    drawn.second = random.between(0, 59);
    const int sub_second = random.between(0, 999);
    // Between ten minutes and two hours since the engine was started.
    const auto first_ms = static_cast<uint32_t>(random.between(600000, 7200000));
    return RecorderClock(start.value_or(drawn), sub_second, first_ms);
}

CivilTime RecorderClock::calendar(int64_t offset_ms) const
{
    const int64_t ms = sub_second_ms_ + offset_ms;
    return start_.plus_seconds(ms >= 0 ? ms / 1000 : -((999 - ms) / 1000));
}

int64_t frame_offset_ms(int frame, int fps, uint64_t seed)
{
    if (frame <= 0) {
        return 0;
    }
    const int64_t period_start = (static_cast<int64_t>(frame) * 1000 + fps - 1) / fps;
    return period_start + static_cast<int64_t>(Random::hash(seed, static_cast<uint64_t>(frame)) % 6);
}

std::string stamp_text(const CivilTime& time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

} // namespace samplecard
