#pragma once
// Where the circle chart puts things: the plot area inside the window's frame, its centre, and
// the point of a G vector (one G is 64 pixels; a vector longer than 1 G is drawn on the 1.0 G
// circle, its direction kept).
#include "panels/ChartPoint.h"

struct FrameRecord;

class CircleGeometry {
public:
    static constexpr int plot_x = 14; // the plot's place in the window
    static constexpr int plot_y = 7;
    static constexpr int pixels_per_g = 64;

    CircleGeometry(int client_width, int client_height);

    int plot_width() const { return plot_width_; }
    int plot_height() const { return plot_height_; }
    // The centre in plot coordinates.
    ChartPoint centre() const { return {plot_width_ / 2, plot_height_ / 2}; }

    // The point of a frame in plot coordinates: lateral G (g2, right positive) across, the
    // longitudinal G (g1, forward positive) upward.
    ChartPoint point(const FrameRecord& record) const;
    ChartPoint point(double lateral, double longitudinal, double magnitude) const;
    // The same point worked out around the centre in window coordinates (where the
    // current-frame dot goes).
    ChartPoint window_point(const FrameRecord& record) const;

private:
    static ChartPoint around(ChartPoint centre, double lateral, double longitudinal, double magnitude);

    int plot_width_;
    int plot_height_;
};
