#pragma once
// A pixel position in a chart's drawing.

struct ChartPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ChartPoint&) const = default;
};
