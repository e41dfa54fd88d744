#pragma once
// The least a JPEG decode can cost with the same library: decompress into one reused scan-line
// buffer, with no picture to store the rows in and no change of byte order.
#include <cstddef>
#include <cstdint>
#include <vector>

// The number of scan lines decoded; 0 when the library failed.
int decode_bare(const uint8_t* data, size_t size);
// The same loop writing the whole picture as the viewer keeps it: blue, green, red, pad, four
// bytes a pixel, bottom row first, into `pixels` (grown to fit once, then reused); returns the
// lines decoded.
int decode_bare_picture(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels);
