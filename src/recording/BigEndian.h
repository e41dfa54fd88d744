#pragma once
// The recorder writes every multi-byte number most significant byte first.
#include <cstdint>

inline uint16_t read_be16(const uint8_t* p)
{
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

inline uint32_t read_be32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (static_cast<uint32_t>(p[1]) << 16) |
           (static_cast<uint32_t>(p[2]) << 8) | static_cast<uint32_t>(p[3]);
}

// Sizes and block times are signed 32-bit numbers.
inline int32_t read_be32_signed(const uint8_t* p)
{
    return static_cast<int32_t>(read_be32(p));
}
