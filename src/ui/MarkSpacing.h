#pragma once
// Where the stopwatch's marks stand on the position bar when laps are short: each mark keeps
// its own place unless it would cover the one before it, so every lap number stays readable.
#include <vector>

class MarkSpacing {
public:
    // `lefts` are the marks' left edges at their frames, in drawing order (start, laps, end:
    // frames rising), each `markWidth` wide, on a bar `barWidth` wide. A mark that would overlap
    // the one before it moves right until it touches it; marks pushed past the bar's right end
    // move back left in the same way. Only a bar too short for all of them lets them overlap.
    static std::vector<int> spread(std::vector<int> lefts, int markWidth, int barWidth);
};
