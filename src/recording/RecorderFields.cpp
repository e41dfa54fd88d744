#include "recording/RecorderFields.h"

#include <algorithm>
#include <ctime>

#include "base/Bcd.h"
#include "base/LocalTime.h"
#include "recording/BigEndian.h"

namespace {

constexpr int max_speed = 180;
constexpr int raw_g_low = 215;
constexpr int raw_g_high = 808;
constexpr int raw_g_zero = 512;
constexpr double raw_g_scale = 0.01468;

} // namespace

double bcd_g_value(const uint8_t* p)
{
    const double x = decode_bcd(p, 2) / 1000.0;
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
    return std::min(decode_bcd(p, 2), max_speed);
}

int64_t bcd_time(const uint8_t* p)
{
    return local_time_value(2000 + decode_bcd(p, 1), decode_bcd(p + 1, 1), decode_bcd(p + 2, 1),
                            decode_bcd(p + 3, 1), decode_bcd(p + 4, 1), decode_bcd(p + 5, 1));
}

int64_t local_time_value(int year, int month, int day, int hour, int minute, int second)
{
    const std::optional<LocalMoment> moment = round_trip_local_time(year, month, day, hour, minute, second);
    if (!moment) {
        return 0;
    }
    const std::tm& back = moment->local;
    const bool same = back.tm_year == year - 1900 && back.tm_mon == month - 1 && back.tm_mday == day &&
                      back.tm_hour == hour && back.tm_min == minute && back.tm_sec == second;
    return same ? moment->time : 0;
}
