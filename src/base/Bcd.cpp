#include "base/Bcd.h"

int decode_bcd(const uint8_t* bytes, size_t count)
{
    int value = 0;
    for (size_t i = 0; i < count; ++i) {
        value = value * 100 + (bytes[i] >> 4) * 10 + (bytes[i] & 0x0F);
    }
    return value;
}

void encode_bcd(uint64_t value, uint8_t* bytes, size_t count)
{
    for (size_t i = count; i-- > 0;) {
        const auto pair = static_cast<unsigned>(value % 100);
        bytes[i] = static_cast<uint8_t>((pair / 10) << 4 | pair % 10);
        value /= 100;
    }
}
