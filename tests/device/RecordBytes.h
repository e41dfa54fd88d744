#pragma once
// Hand-built bytes of settings files: header, records (check byte made right unless told) and the
// information file's lead block.
#include <cstdint>
#include <initializer_list>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline uint8_t xor_of(const Bytes& bytes, size_t from, size_t to)
{
    uint8_t check = 0;
    for (size_t i = from; i < to; ++i) {
        check ^= bytes[i];
    }
    return check;
}

// The header the viewer writes for model 03 12.
inline Bytes header_bytes() { return {0x00, 0x01, 0x03, 0x12, 0xFF, 0xFF, 0xFF, 0xEF}; }

// A record: id, the given value bytes padded with 0xFF to five, check byte.
inline Bytes record_bytes(uint16_t id, std::initializer_list<uint8_t> values)
{
    Bytes record(8, 0xFF);
    record[0] = static_cast<uint8_t>(id >> 8);
    record[1] = static_cast<uint8_t>(id & 0xFF);
    size_t at = 2;
    for (const uint8_t value : values) {
        record.at(at++) = value;
    }
    record[7] = xor_of(record, 0, 7);
    return record;
}

inline Bytes lead_block() { return Bytes(16, 0x5A); }

inline Bytes joined(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}
