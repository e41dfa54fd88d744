#pragma once
// What the car did, sampled every 10 ms: speed, the two G axes (1: along the car, negative
// when braking; 2: across it, from the bends), distance travelled, and the engine's state for
// the sound. Frames, sound and telemetry of one recording are all taken from one story, so the
// picture, the noise and the numbers tell the same thing.
#include <cstdint>
#include <vector>

namespace samplecard {

struct DriveSample {
    double speed_kmh = 0;
    double g1 = 0;
    double g2 = 0;
    double distance_m = 0;
    double bend = 0;          // road curvature in 1/m, positive to the right
    double heading = 0;       // radians turned since the start
    double engine_cycles = 0; // firing cycles so far: the phase of the engine sound
    double engine_hz = 0;     // firing frequency now
};

class DriveStory {
public:
    // Cruising, then a hard stop whose deceleration crosses the sensor threshold at
    // `detection_ms` (the recorder's event trigger), then standing.
    static DriveStory braking_event(uint64_t seed, int duration_ms, int detection_ms);
    // Town driving: pulling away, cruising, stopping at lights, over `duration_ms`.
    static DriveStory town_drive(uint64_t seed, int duration_ms);
    // A car standing or rolling slowly, as when a still picture is taken.
    static DriveStory parked(uint64_t seed, int duration_ms);

    // The state at `ms` from the start, interpolated between samples (held at the ends).
    DriveSample at(double ms) const;
    int duration_ms() const { return static_cast<int>(samples_.size() - 1) * step_ms; }

    static constexpr int step_ms = 10;

private:
    struct Leg {
        int until_ms;     // the leg lasts until this time
        double target_kmh;
        double accel_g;   // the most the driver accelerates or brakes with on this leg
    };
    static DriveStory simulate(uint64_t seed, int duration_ms, const std::vector<Leg>& legs);

    std::vector<DriveSample> samples_;
};

} // namespace samplecard
