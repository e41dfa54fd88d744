#include "samplecard/DriveStory.h"

#include "samplecard/Random.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace samplecard {

namespace {

constexpr double gravity = 9.80665;
constexpr double pi = 3.14159265358979323846;

// Engine speed of a five-speed car: idle when standing, each gear climbing to 3000 rpm
// before the next one takes over.
double engine_rpm(double kmh)
{
    static constexpr double shift_at[] = {18, 35, 55, 80};
    size_t gear = 0;
    double low = 0;
    while (gear < std::size(shift_at) && kmh >= shift_at[gear]) {
        low = shift_at[gear++];
    }
    const double high = gear < std::size(shift_at) ? shift_at[gear] : low + 60;
    const double from = gear == 0 ? 850.0 : 1500.0;
    return from + std::min((kmh - low) / (high - low), 1.5) * (3000.0 - from);
}

} // namespace

DriveStory DriveStory::simulate(uint64_t seed, int duration_ms, const std::vector<Leg>& legs)
{
    Random random(seed);
    // Slow bends: two sine waves over distance with their own phases.
    const double bend_phase1 = random.between(0.0, 2 * pi);
    const double bend_phase2 = random.between(0.0, 2 * pi);
    const double bend_scale = random.between(1.0 / 400, 1.0 / 180);

    const int steps = std::max(duration_ms, step_ms) / step_ms;
    const double dt = step_ms / 1000.0;
    DriveStory story;
    story.samples_.reserve(static_cast<size_t>(steps) + 1);
    DriveSample now;
    now.speed_kmh = legs.empty() ? 0.0 : legs.front().target_kmh;
    double accel = 0; // m/s², smoothed so the driver never jerks
    size_t leg = 0;
    for (int i = 0; i <= steps; ++i) {
        const int ms = i * step_ms;
        while (leg + 1 < legs.size() && ms >= legs[leg].until_ms) {
            ++leg;
        }
        const Leg& current = legs.empty() ? Leg{0, 0, 0.1} : legs[leg];
        const double v = now.speed_kmh / 3.6;
        const double limit = current.accel_g * gravity;
        const double wanted = std::clamp((current.target_kmh / 3.6 - v) / 1.2, -limit, limit);
        accel += (wanted - accel) * 0.12;
        double next_v = std::max(0.0, v + accel * dt);
        if (current.target_kmh == 0.0 && next_v < 0.3 && accel <= 0) {
            next_v = 0; // the last metre: the car stops and the brakes hold it
        }
        if (next_v == 0.0 && accel < 0) {
            accel = 0; // standing still, nothing decelerates
        }
        now.distance_m += (v + next_v) / 2 * dt;
        now.speed_kmh = next_v * 3.6;
        now.bend = bend_scale * (0.7 * std::sin(now.distance_m / 260.0 + bend_phase1) +
                                 0.3 * std::sin(now.distance_m / 95.0 + bend_phase2));
        now.heading += now.bend * next_v * dt;
        // The sensor also feels the road: a little vibration growing with speed.
        const double shake = 0.006 + 0.00025 * now.speed_kmh;
        now.g1 = accel / gravity + shake * (random.unit() - 0.5) * 2;
        now.g2 = next_v * next_v * now.bend / gravity + shake * (random.unit() - 0.5) * 2;
        now.engine_hz = engine_rpm(now.speed_kmh) / 60.0 * 2.0; // four cylinders, four strokes
        now.engine_cycles += now.engine_hz * dt;
        story.samples_.push_back(now);
    }
    return story;
}

DriveStory DriveStory::braking_event(uint64_t seed, int duration_ms, int detection_ms)
{
    Random random(seed);
    const double cruise = random.between(42.0, 62.0);
    const double brake = random.between(0.62, 0.78);
    // The deceleration builds up over a few hundred ms before it crosses the threshold.
    const int brake_from = std::max(0, detection_ms - 180);
    const int standing_from = brake_from + static_cast<int>(cruise / 3.6 / (brake * gravity) * 1000) + 900;
    return simulate(random.next(), duration_ms,
                    {{brake_from, cruise, 0.08}, {standing_from, 0.0, brake}, {duration_ms + 1, 0.0, 0.1}});
}

DriveStory DriveStory::town_drive(uint64_t seed, int duration_ms)
{
    Random random(seed);
    std::vector<Leg> legs;
    int ms = 0;
    legs.push_back({ms += random.between(3000, 8000), 0.0, 0.1});
    while (ms < duration_ms) {
        const double cruise = random.between(30.0, 65.0);
        legs.push_back({ms += random.between(15000, 40000), cruise, random.between(0.12, 0.22)});
        if (random.between(0, 2) > 0) {
            legs.push_back({ms += random.between(8000, 20000), cruise + random.between(-12.0, 12.0), 0.12});
        }
        legs.push_back({ms += random.between(6000, 12000), 0.0, random.between(0.18, 0.3)});
        legs.push_back({ms += random.between(4000, 15000), 0.0, 0.1});
    }
    return simulate(random.next(), duration_ms, legs);
}

DriveStory DriveStory::parked(uint64_t seed, int duration_ms)
{
    Random random(seed);
    const double crawl = random.between(0, 2) == 0 ? 0.0 : random.between(5.0, 25.0);
    return simulate(random.next(), duration_ms, {{duration_ms + 1, crawl, 0.1}});
}

DriveSample DriveStory::at(double ms) const
{
    const int last = static_cast<int>(samples_.size()) - 1;
    if (!(ms > 0)) {
        return samples_.front();
    }
    if (ms >= static_cast<double>(last) * step_ms) {
        return samples_.back();
    }
    const int i = static_cast<int>(ms / step_ms);
    const double t = (ms - static_cast<double>(i) * step_ms) / step_ms;
    const DriveSample& a = samples_[static_cast<size_t>(i)];
    const DriveSample& b = samples_[static_cast<size_t>(i) + 1];
    auto mix = [t](double x, double y) { return x + (y - x) * t; };
    DriveSample s;
    s.speed_kmh = mix(a.speed_kmh, b.speed_kmh);
    s.g1 = mix(a.g1, b.g1);
    s.g2 = mix(a.g2, b.g2);
    s.distance_m = mix(a.distance_m, b.distance_m);
    s.bend = mix(a.bend, b.bend);
    s.heading = mix(a.heading, b.heading);
    s.engine_cycles = mix(a.engine_cycles, b.engine_cycles);
    s.engine_hz = mix(a.engine_hz, b.engine_hz);
    return s;
}

} // namespace samplecard
