#pragma once
// The recorder's number encodings: big-endian integers, packed BCD, BCD G values with the sign
// in the thousands digit, BCD dates and the raw sensor counts of the file header.
#include "samplecard/CivilTime.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace samplecard {

using Bytes = std::vector<uint8_t>;

// The recorder model's two bytes, high then low.
struct ModelCode {
    uint8_t high = 0x03;
    uint8_t low = 0x12;
};

// Every picture payload starts with the model code and this: 12 letters and two zero bytes.
inline constexpr uint8_t picture_signature[14] = {'O', 'R', 'V', 'A', 'N', 'D', 'E', '-', 'K', 'A', 'L', '.', 0, 0};
// What the recorder overwrote with model code and signature: SOI and the start of the one
// Huffman-table segment that follows it.
inline constexpr uint8_t jpeg_lead[16] = {0xFF, 0xD8, 0xFF, 0xC4, 0x01, 0xA2, 0x00, 0x00,
                                          0x01, 0x05, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01};

void put_be16(uint8_t* out, uint32_t value);
void put_be32(uint8_t* out, uint32_t value);

// `value` as 2 × `size` packed BCD digits, most significant first; digits beyond the field
// are dropped (the recorder's counters simply wrap).
void put_bcd(uint8_t* out, size_t size, uint64_t value);

// The four decimal digits of a G value: 0 ... 7999 for 0 ... +7.999 G, 8000 + thousandths for
// negative values (down to -1.999 G, the most four digits can say). Rounded to 0.001 G.
int g_digits(double g);

// The raw sensor count of the file header, (count - 512) × 0.01468 G, held within 215 ... 808.
int raw_g_count(double g);

// Six BCD bytes YY MM DD hh mm ss.
void put_bcd_time(uint8_t* out, const CivilTime& time);

// Speed in whole km/h as the recorder stores it (it never reports more than 180).
int speed_digits(double kmh);

} // namespace samplecard
