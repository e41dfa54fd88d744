#pragma once
// The line chart's scales, from the whole recording: the G scale runs from Gmin to Gmax (the
// largest magnitude rounded up to a multiple of 0.5; at least 0.5, and then from 0.1), the
// speed scale from 0 to Vmax (the largest speed rounded up to a multiple of 40, at least 40).
class IVideoInfo;

struct ChartScales {
    double g_max = 0.5;
    double g_min = 0.1;
    int v_max = 40;

    // Frames without a record are skipped; without any record the scales stay at their least.
    static ChartScales of(const IVideoInfo& info);
    static ChartScales from_peaks(double largest_g, int largest_speed);
};
