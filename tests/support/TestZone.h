#pragma once
// The recorder's clock is Japanese local time: tests read its dates in TZ=JST-9 (no daylight
// saving), whatever the machine's own zone.
#include <cstdlib>
#include <ctime>

inline void use_recorder_time_zone()
{
#ifdef _WIN32
    _putenv_s("TZ", "JST-9");
    _tzset();
#else
    setenv("TZ", "JST-9", 1);
    tzset();
#endif
}

// Seconds since 1970 of a JST calendar time, reckoned without the C library (days from the
// civil date), so that tests check the reader's conversion against an independent one.
inline long long jst_seconds(int year, int month, int day, int hour, int minute, int second)
{
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int year_of_era = y - era * 400;
    const int day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    const long long days = static_cast<long long>(era) * 146097 + day_of_era - 719468;
    return days * 86400 + hour * 3600 + minute * 60 + second - 9 * 3600;
}
