#pragma once
// The stopwatch's texts: a duration as minutes, seconds and tenths (each truncated, so the shown
// lap times may not add up to the shown total), the readout's two lines and the lap list's rows.
#include <string>

class LapMeasurement;

struct DurationParts {
    int minutes = 0;
    int seconds = 0;
    int tenths = 0;
};

namespace lap_text {

DurationParts split(int milliseconds);
// "01′ 05″ 4" for 65 432 ms.
std::wstring duration(int milliseconds);
// The readout's first line: the running time while measuring (`elapsed_ms`), else the total,
// or dashes before the first lap.
std::wstring first_line(const LapMeasurement& measurement, int elapsed_ms);
// The readout's second line: the lap count, the last lap's duration and its average speed
// (the unit is drawn beside it), or dashes without laps.
std::wstring second_line(const LapMeasurement& measurement);
// Row `lap` (1 ... 10) of the lap list.
std::wstring lap_row(const LapMeasurement& measurement, int lap);
// The lap list's TOTAL line: the total and the mean of the laps' average speeds, or dashes while
// measuring or without laps.
std::wstring total_row(const LapMeasurement& measurement);

} // namespace lap_text
