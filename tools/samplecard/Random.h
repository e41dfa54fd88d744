#pragma once
// The writer's only source of variation. SplitMix64 gives the same numbers on every compiler
// and platform, which the standard distributions do not promise.
#include <cstdint>

namespace samplecard {

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number in lo ... hi (inclusive).
    int between(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<uint64_t>(hi - lo + 1)); }
    // A number in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
    double between(double lo, double hi) { return lo + (hi - lo) * unit(); }

    // A value that depends only on (seed, index): for noise that must not depend on where
    // a writer starts generating.
    static uint64_t hash(uint64_t seed, uint64_t index) { return Random(seed ^ (index * 0xD1B54A32D192ED03ull)).next(); }

private:
    uint64_t state_;
};

} // namespace samplecard
