#pragma once
// Dates and times as the dashboard writes them, in local time; a time value of 0 (no valid
// time known) is written as dashes.
#include <cstdint>
#include <string>

namespace time_text {

// "yyyy/mm/dd", or "----/--/--".
std::string date(int64_t time);
// "hh:mm:ss", or "--:--:--".
std::string clock(int64_t time);

} // namespace time_text
