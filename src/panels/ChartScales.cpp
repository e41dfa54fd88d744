#include "panels/ChartScales.h"

#include "recording/IVideoInfo.h"

#include <algorithm>
#include <cmath>

ChartScales ChartScales::from_peaks(double largest_g, int largest_speed)
{
    ChartScales scales;
    scales.g_max = std::ceil(2.0 * std::max(largest_g, 0.5)) / 2.0;
    scales.g_min = scales.g_max == 0.5 ? 0.1 : 0.0;
    const int v_max = std::max(largest_speed, 10);
    scales.v_max = ((v_max - 1) / 40 + 1) * 40;
    return scales;
}

ChartScales ChartScales::of(const IVideoInfo& info)
{
    double largest_g = 0.5;
    int largest_speed = 10;
    for (int i = 0; i < info.frame_count(); ++i) {
        if (const FrameRecord* record = info.frame_record(i)) {
            largest_g = std::max(largest_g, record->g_magnitude);
            largest_speed = std::max(largest_speed, record->speed);
        }
    }
    return from_peaks(largest_g, largest_speed);
}
