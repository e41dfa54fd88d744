#include "samplecard/RecorderBytes.h"

#include "base/Bcd.h"

#include <algorithm>
#include <cmath>

namespace samplecard {

void put_be16(uint8_t* out, uint32_t value)
{
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}

void put_be32(uint8_t* out, uint32_t value)
{
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}

void put_bcd(uint8_t* out, size_t size, uint64_t value) { encode_bcd(value, out, size); }

int g_digits(double g)
{
    const long thousandths = std::lround(std::fabs(g) * 1000.0);
    if (g < 0 && thousandths > 0) {
        return 8000 + static_cast<int>(std::min(thousandths, 1999L));
    }
    return static_cast<int>(std::min(thousandths, 7999L));
}

int raw_g_count(double g)
{
    return std::clamp(512 + static_cast<int>(std::lround(g / 0.01468)), 215, 808);
}

void put_bcd_time(uint8_t* out, const CivilTime& time)
{
    const int fields[6] = {time.year % 100, time.month, time.day, time.hour, time.minute, time.second};
    for (int i = 0; i < 6; ++i) {
        put_bcd(out + i, 1, static_cast<uint64_t>(fields[i]));
    }
}

int speed_digits(double kmh)
{
    return std::clamp(static_cast<int>(std::lround(kmh)), 0, 180);
}

} // namespace samplecard
