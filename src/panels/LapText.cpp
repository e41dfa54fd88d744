#include "panels/LapText.h"

#include "base/Text.h"
#include "panels/LapMeasurement.h"

#include "ResourceIds.h"

#include <cstdarg>
#include <cwchar>
#include <iterator>

namespace {

// The string-table entry `id` filled in as a printf format.
std::wstring print(int id, ...)
{
    const std::wstring format = load_text(id);
    wchar_t text[128] = {};
    va_list arguments;
    va_start(arguments, id);
    const int length = std::vswprintf(text, std::size(text), format.c_str(), arguments);
    va_end(arguments);
    return length < 0 ? std::wstring() : std::wstring(text, static_cast<size_t>(length));
}

} // namespace

namespace lap_text {

DurationParts split(int milliseconds)
{
    return {milliseconds / 60000, milliseconds / 1000 % 60, milliseconds % 1000 / 100};
}

std::wstring duration(int milliseconds)
{
    const DurationParts parts = split(milliseconds);
    return print(texts::lap_duration, parts.minutes, parts.seconds, parts.tenths);
}

std::wstring first_line(const LapMeasurement& measurement, int elapsed_ms)
{
    if (measurement.measuring()) {
        return duration(elapsed_ms);
    }
    if (!measurement.has_laps()) {
        return load_text(texts::lap_no_duration);
    }
    return duration(measurement.total());
}

std::wstring second_line(const LapMeasurement& measurement)
{
    if (!measurement.has_laps()) {
        return load_text(texts::lap_no_last);
    }
    const int lap = measurement.lap_count();
    const DurationParts parts = split(measurement.lap_duration(lap));
    return print(texts::lap_last, lap, parts.minutes, parts.seconds, parts.tenths, measurement.lap_average(lap));
}

std::wstring lap_row(const LapMeasurement& measurement, int lap)
{
    if (lap > measurement.lap_count()) {
        return print(texts::lap_no_row, lap);
    }
    const DurationParts parts = split(measurement.lap_duration(lap));
    return print(texts::lap_row, lap, parts.minutes, parts.seconds, parts.tenths, measurement.lap_average(lap));
}

std::wstring total_row(const LapMeasurement& measurement)
{
    if (measurement.measuring() || !measurement.has_laps()) {
        return load_text(texts::lap_no_total);
    }
    const DurationParts parts = split(measurement.total());
    return print(texts::lap_total, parts.minutes, parts.seconds, parts.tenths, measurement.total_average());
}

} // namespace lap_text
