#pragma once
// Real JPEG pictures for tests, made with the sample card writer's encoder.
#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A picture whose pixel (x, y), top row first, has the colour `colour_at(x, y)` as 0xRRGGBB.
using ColourFunction = uint32_t (*)(int x, int y);

// A baseline colour JPEG (quality 95, standard Huffman tables), already in the recorder's layout.
Bytes encode_colour_jpeg(int width, int height, ColourFunction colour_at);
// A baseline grey-scale JPEG; the grey level is the red part of `colour_at`.
Bytes encode_grey_jpeg(int width, int height, ColourFunction colour_at);

// The picture as the recorder stores it: start of image, then one Huffman table segment of
// length 0x01A2 with the four standard tables (DC luminance first), then the rest (which may
// define its own tables again).
Bytes recorder_layout(const Bytes& jpeg);
// A picture payload: the recorder layout with its first 16 bytes masked by code and signature.
Bytes recorder_payload(const Bytes& jpeg);
