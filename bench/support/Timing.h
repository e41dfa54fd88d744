#pragma once
// Wall-clock timing of repeated runs and their summary. Machines here are shared, so every
// figure is a median with its spread, never a single run.
#include <chrono>
#include <cstddef>
#include <vector>

// Seconds on a steady clock (QueryPerformanceCounter on Windows).
inline double seconds_now()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The seconds one call of `work` takes.
template <typename Work> double time_once(Work&& work)
{
    const double start = seconds_now();
    work();
    return seconds_now() - start;
}

struct Summary {
    size_t count = 0;
    double median = 0;
    double min = 0;
    double p90 = 0; // nearest rank
    double max = 0;
};

Summary summarise(std::vector<double> samples);

// Runs the measured work and its floor alternately (`pairs` times each, after one untimed run
// of both that brings the files into the cache), so that a change of machine load falls on both.
struct PairedTimes {
    std::vector<double> measured;
    std::vector<double> floor;
    // measured[i] / floor[i] of each pair.
    std::vector<double> ratios() const;
};

template <typename Measured, typename Floor> PairedTimes time_pairs(int pairs, Measured&& measured, Floor&& floor)
{
    measured();
    floor();
    PairedTimes times;
    for (int i = 0; i < pairs; ++i) {
        times.measured.push_back(time_once(measured));
        times.floor.push_back(time_once(floor));
    }
    return times;
}
