#pragma once
// The picture size a JPEG file declares in its frame header, read without decoding: the video
// file of an exported recording states it in its stream format.
#include <cstddef>
#include <cstdint>
#include <optional>

struct JpegSize {
    int width = 0;
    int height = 0;
};

// The width and height of the first start-of-frame segment; nothing when the bytes do not
// start with a start-of-image marker, a segment runs past the end, or no frame header comes
// before the scan data.
std::optional<JpegSize> jpeg_size(const uint8_t* data, size_t size);
