#pragma once
// Local calendar arithmetic in 64 bits. The C runtime of the 32-bit Windows program has a 32-bit
// time_t, whose mktime gives up after January 2038; the recorder's dates run to 2099.
#include <cstdint>
#include <ctime>
#include <optional>

// `local` (local time; tm_isdst -1 lets the system decide) as seconds since 1970; -1 when the
// system cannot convert it. Like mktime, it normalises `local`.
int64_t local_to_time(std::tm& local);
// The local broken-down time of `time`; false when the system cannot convert it.
bool time_to_local(int64_t time, std::tm& local);

// A local date and time as a moment and as the local fields that moment has.
struct LocalMoment {
    int64_t time = 0; // seconds since 1970
    std::tm local{};  // normalised: 31 February comes back as 3 March
};

// The local date and time given by its fields (the system decides whether daylight saving
// applies) taken to a calendar time and back to local fields. Nothing when the system cannot
// convert it.
std::optional<LocalMoment> round_trip_local_time(int year, int month, int day, int hour, int minute, int second);
