#pragma once
// The least a JPEG decode can cost with the same library: decompress into one reused scan-line
// buffer, with no picture to store the rows in and no change of byte order.
#include <cstddef>
#include <cstdint>

// The number of scan lines decoded; 0 when the library failed.
int decode_bare(const uint8_t* data, size_t size);
