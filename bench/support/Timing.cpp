#include "support/Timing.h"

#include <algorithm>
#include <cmath>

Summary summarise(std::vector<double> samples)
{
    Summary summary;
    summary.count = samples.size();
    if (samples.empty()) {
        return summary;
    }
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    summary.median = n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    summary.min = samples.front();
    summary.max = samples.back();
    const auto rank = static_cast<size_t>(std::ceil(0.9 * static_cast<double>(n)));
    summary.p90 = samples[std::max<size_t>(rank, 1) - 1];
    return summary;
}

std::vector<double> PairedTimes::ratios() const
{
    std::vector<double> result;
    for (size_t i = 0; i < measured.size() && i < floor.size(); ++i) {
        if (floor[i] > 0) {
            result.push_back(measured[i] / floor[i]);
        }
    }
    return result;
}
