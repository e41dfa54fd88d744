#include "samplecard/EngineSound.h"

#include "samplecard/Random.h"

#include <algorithm>
#include <cmath>

namespace samplecard {

namespace {

constexpr double two_pi = 6.283185307179586;
constexpr double harmonic_level[5] = {1.0, 0.55, 0.4, 0.22, 0.12};
constexpr int noise_warm_up = 64; // the noise filter forgets everything older than this

bool beeping(double ms, std::optional<double> beep_ms)
{
    if (!beep_ms) {
        return false;
    }
    const double since = ms - *beep_ms;
    return (since >= 0 && since < 150) || (since >= 250 && since < 400);
}

} // namespace

EngineSound::EngineSound(uint64_t seed) : seed_(seed)
{
    Random random(seed);
    for (double& phase : harmonic_phase_) {
        phase = random.between(0.0, two_pi);
    }
}

double EngineSound::noise(int64_t sample) const
{
    return static_cast<double>(Random::hash(seed_, static_cast<uint64_t>(sample)) >> 11) * (2.0 / 9007199254740992.0) -
           1.0;
}

Bytes EngineSound::render(const DriveStory& story, double from_ms, int count, std::optional<double> beep_ms) const
{
    Bytes samples(static_cast<size_t>(std::max(count, 0)));
    const auto first = static_cast<int64_t>(std::llround(from_ms * sound_rate / 1000.0));
    // A one-pole low-pass over white noise gives the rumble of the road.
    double rumble = 0;
    for (int64_t s = first - noise_warm_up; s < first; ++s) {
        rumble += (noise(s) - rumble) * 0.18;
    }
    for (int i = 0; i < count; ++i) {
        const double ms = static_cast<double>(first + i) * 1000.0 / sound_rate;
        // The story's engine phase is interpolated per sample, so the note stays clean.
        const DriveSample state = story.at(ms);
        const double cycles = state.engine_cycles - std::floor(state.engine_cycles);
        double engine = 0;
        for (int h = 0; h < 5; ++h) {
            engine += harmonic_level[h] * std::sin(two_pi * (h + 1) * cycles + harmonic_phase_[h]);
        }
        rumble += (noise(first + i) - rumble) * 0.18;
        const double load = std::clamp(1.0 + state.g1 * 2.5, 0.6, 1.6);
        double value = engine * (9.0 + 0.12 * state.speed_kmh) * load + rumble * (3.0 + 0.35 * state.speed_kmh);
        if (beeping(ms, beep_ms)) {
            value += std::sin(two_pi * 2000.0 * ms / 1000.0) > 0 ? 34.0 : -34.0;
        }
        samples[static_cast<size_t>(i)] = static_cast<uint8_t>(std::clamp(128.0 + value, 1.0, 255.0));
    }
    return samples;
}

} // namespace samplecard
