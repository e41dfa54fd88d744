#include "support/TestJpeg.h"

#include "samplecard/RecorderJpeg.h"

namespace {

// The pixels of `colour_at`, top row first, as RGB triples or as grey levels (the red part).
Bytes pixels_of(int width, int height, ColourFunction colour_at, bool grey)
{
    Bytes pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height) * (grey ? 1 : 3));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t colour = colour_at(x, y);
            pixels.push_back(static_cast<uint8_t>(colour >> 16));
            if (!grey) {
                pixels.push_back(static_cast<uint8_t>(colour >> 8));
                pixels.push_back(static_cast<uint8_t>(colour));
            }
        }
    }
    return pixels;
}

constexpr int test_quality = 95;

// The recorder's one Huffman-table segment with the four standard tables, taken from a picture
// the sample card writer encoded: it follows the start-of-image marker.
Bytes standard_huffman_segment()
{
    static const Bytes segment = [] {
        const Bytes grey(16 * 16 * 3, 0x80);
        const Bytes picture = samplecard::RecorderJpegEncoder(test_quality).encode(grey.data(), 16, 16);
        const size_t length = static_cast<size_t>(picture[4] << 8 | picture[5]);
        return Bytes(picture.begin() + 2, picture.begin() + 4 + static_cast<long>(length));
    }();
    return segment;
}

} // namespace

Bytes encode_colour_jpeg(int width, int height, ColourFunction colour_at)
{
    const Bytes rgb = pixels_of(width, height, colour_at, false);
    return samplecard::RecorderJpegEncoder(test_quality).encode(rgb.data(), width, height);
}

Bytes encode_grey_jpeg(int width, int height, ColourFunction colour_at)
{
    const Bytes grey = pixels_of(width, height, colour_at, true);
    return samplecard::RecorderJpegEncoder(test_quality).encode_grey(grey.data(), width, height);
}

Bytes recorder_layout(const Bytes& jpeg)
{
    Bytes out = {0xFF, 0xD8};
    const Bytes segment = standard_huffman_segment();
    out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

Bytes recorder_payload(const Bytes& jpeg)
{
    return samplecard::picture_payload(recorder_layout(jpeg), samplecard::ModelCode{});
}
