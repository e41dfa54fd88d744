#pragma once
// Local calendar arithmetic in 64 bits. The C runtime of the 32-bit Windows program has a 32-bit
// time_t, whose mktime gives up after January 2038; the recorder's dates run to 2099.
#include <ctime>
#include <optional>

// `local` (local time; tm_isdst -1 lets the system decide) taken to a calendar time and back to
// local broken-down time, which normalises it to a moment that exists (31 February gives 3 March).
// Nothing when the system cannot convert it.
std::optional<std::tm> round_trip_local_time(const std::tm& local);
