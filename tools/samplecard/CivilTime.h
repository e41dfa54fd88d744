#pragma once
// The recorder's clock: a local calendar date and time without any time zone, as the recorder
// stamps it on every block (two-digit year, 2000 + YY).
#include <cstdint>

namespace samplecard {

struct CivilTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    // The same moment `seconds` later (earlier when negative), with the calendar carried.
    CivilTime plus_seconds(int64_t seconds) const;
    // Seconds since 2000-01-01 00:00:00 on this calendar.
    int64_t seconds_since_2000() const;

    bool operator==(const CivilTime&) const = default;
};

} // namespace samplecard
