#include "base/LocalTime.h"

std::optional<LocalMoment> round_trip_local_time(int year, int month, int day, int hour, int minute, int second)
{
    std::tm wanted{};
    wanted.tm_year = year - 1900;
    wanted.tm_mon = month - 1;
    wanted.tm_mday = day;
    wanted.tm_hour = hour;
    wanted.tm_min = minute;
    wanted.tm_sec = second;
    wanted.tm_isdst = -1; // the system decides whether daylight saving applies
    LocalMoment moment;
    moment.time = local_to_time(wanted);
    if (moment.time == -1 || !time_to_local(moment.time, moment.local)) {
        return std::nullopt;
    }
    return moment;
}
