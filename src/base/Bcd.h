#pragma once
// Numbers meant for people, as the recorder stores them in its recordings and settings files:
// packed BCD, two decimal digits a byte, most significant first.
#include <cstddef>
#include <cstdint>

// Every nibble is read as a digit without checking it, as the recorder does: each byte gives
// high * 10 + low, and each earlier byte weighs 100 times more. Up to four bytes.
int decode_bcd(const uint8_t* bytes, size_t count);

// The last 2 * count decimal digits of `value` (higher digits are dropped).
void encode_bcd(uint64_t value, uint8_t* bytes, size_t count);
