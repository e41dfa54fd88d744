#include "recording/RecorderFields.h"

#include <algorithm>
#include <ctime>

#include "base/LocalTime.h"
#include "recording/BigEndian.h"

namespace {

constexpr int max_speed = 180;
constexpr int raw_g_low = 215;
constexpr int raw_g_high = 808;
constexpr int raw_g_zero = 512;
constexpr double raw_g_scale = 0.01468;

} // namespace

int bcd_number(const uint8_t* p, int bytes)
{
    int value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = value * 100 + (p[i] >> 4) * 10 + (p[i] & 0x0F);
    }
    return value;
}

double bcd_g_value(const uint8_t* p)
{
    const double x = bcd_number(p, 2) / 1000.0;
    if (x > 8.0) {
        return -(x - 8.0);
    }
    return x == 8.0 ? 0.0 : x;
}

double raw_g_value(const uint8_t* p)
{
    const int count = read_be16(p);
    if (count == 0) {
        return 0.0;
    }
    return (std::clamp(count, raw_g_low, raw_g_high) - raw_g_zero) * raw_g_scale;
}

int bcd_speed(const uint8_t* p)
{
    return std::min(bcd_number(p, 2), max_speed);
}

int64_t bcd_time(const uint8_t* p)
{
    return local_time_value(2000 + bcd_number(p, 1), bcd_number(p + 1, 1), bcd_number(p + 2, 1),
                            bcd_number(p + 3, 1), bcd_number(p + 4, 1), bcd_number(p + 5, 1));
}

int64_t local_time_value(int year, int month, int day, int hour, int minute, int second)
{
    std::tm wanted{};
    wanted.tm_year = year - 1900;
    wanted.tm_mon = month - 1;
    wanted.tm_mday = day;
    wanted.tm_hour = hour;
    wanted.tm_min = minute;
    wanted.tm_sec = second;
    wanted.tm_isdst = -1; // the system decides whether daylight saving applies
    const int64_t value = local_to_time(wanted);
    std::tm back{};
    if (value == -1 || !time_to_local(value, back)) {
        return 0;
    }
    const bool same = back.tm_year == year - 1900 && back.tm_mon == month - 1 && back.tm_mday == day &&
                      back.tm_hour == hour && back.tm_min == minute && back.tm_sec == second;
    return same ? value : 0;
}
