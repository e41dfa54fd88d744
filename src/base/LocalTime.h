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

// `local` taken to a calendar time and back to local broken-down time, which normalises it to a
// moment that exists (31 February gives 3 March). Nothing when the system cannot convert it.
std::optional<std::tm> round_trip_local_time(const std::tm& local);
