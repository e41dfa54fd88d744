#pragma once
// The cabin sound the recorder's microphone picks up: the engine's firing note and its
// harmonics rising with the revs, road and wind noise growing with speed, and the recorder's
// own double beep when it saves an event. 8-bit unsigned mono at 11025 samples per second.
#include "samplecard/DriveStory.h"
#include "samplecard/RecorderBytes.h"

#include <optional>

namespace samplecard {

inline constexpr int sound_rate = 11025;

class EngineSound {
public:
    explicit EngineSound(uint64_t seed);

    // `count` samples from `from_ms` of the story on. The samples depend only on the story and
    // the absolute sample position, so pieces made separately join without a click.
    // `beep_ms`: when the recorder beeps (its event buzzer), if at all.
    Bytes render(const DriveStory& story, double from_ms, int count, std::optional<double> beep_ms) const;

private:
    double noise(int64_t sample) const;

    uint64_t seed_;
    double harmonic_phase_[5];
};

} // namespace samplecard
