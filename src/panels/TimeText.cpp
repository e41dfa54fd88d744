#include "panels/TimeText.h"

#include "base/LocalTime.h"

#include <cstdio>

namespace time_text {

std::string date(int64_t time)
{
    std::tm local{};
    if (time == 0 || !time_to_local(time, local)) {
        return "----/--/--";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%04d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    return text;
}

std::string clock(int64_t time)
{
    std::tm local{};
    if (time == 0 || !time_to_local(time, local)) {
        return "--:--:--";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

} // namespace time_text
