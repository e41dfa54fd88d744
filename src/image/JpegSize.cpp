#include "image/JpegSize.h"

namespace {

// Start-of-frame markers (every coding process); C4 (Huffman tables), C8 (reserved) and CC
// (arithmetic conditioning) share the range but carry no frame header.
bool is_frame_header(uint8_t marker)
{
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

int read_be16(const uint8_t* p) { return (p[0] << 8) | p[1]; }

} // namespace

std::optional<JpegSize> jpeg_size(const uint8_t* data, size_t size)
{
    if (data == nullptr || size < 4 || data[0] != 0xFF || data[1] != 0xD8) {
        return std::nullopt;
    }
    size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != 0xFF) {
            return std::nullopt;
        }
        const uint8_t marker = data[at + 1];
        if (marker == 0xFF) { // fill byte before a marker
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) { // scan data or end of image: no frame header came
            return std::nullopt;
        }
        const size_t length = static_cast<size_t>(read_be16(data + at + 2));
        if (length < 2 || at + 2 + length > size) {
            return std::nullopt;
        }
        if (is_frame_header(marker)) {
            // length, precision, height, width
            if (length < 7) {
                return std::nullopt;
            }
            const JpegSize found{read_be16(data + at + 7), read_be16(data + at + 5)};
            if (found.width == 0 || found.height == 0) {
                return std::nullopt;
            }
            return found;
        }
        at += 2 + length;
    }
    return std::nullopt;
}
