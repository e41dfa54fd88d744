#pragma once
// JPEG pictures as the recorder writes them. Its pictures begin with the start-of-image marker
// and, immediately after it, a single Huffman-table segment of length 0x01A2 holding the four
// standard tables (DC luminance, AC luminance, DC chrominance, AC chrominance). The first 16
// bytes are therefore always the same, and the recorder overwrites them in the archive with
// the model code and its signature; a reader puts them back before decoding.
#include "samplecard/RecorderBytes.h"

#include <memory>

namespace samplecard {

class RecorderJpegEncoder {
public:
    // Baseline, 4:2:0, the standard Huffman tables, no JFIF marker. `quality` 1 ... 100.
    explicit RecorderJpegEncoder(int quality);
    ~RecorderJpegEncoder();
    RecorderJpegEncoder(const RecorderJpegEncoder&) = delete;
    RecorderJpegEncoder& operator=(const RecorderJpegEncoder&) = delete;

    // A complete, decodable JPEG of a 24-bit RGB picture (top row first) in the recorder's
    // layout. Throws std::runtime_error when the library fails.
    Bytes encode(const uint8_t* rgb, int width, int height);
    // A plain baseline grey-scale JPEG of 8-bit levels (top row first), which the recorder never
    // writes: for readers that must take any JPEG. Throws as encode does.
    Bytes encode_grey(const uint8_t* grey, int width, int height);

private:
    Bytes compress(const uint8_t* pixels, int width, int height, int components);

    struct Compressor;
    std::unique_ptr<Compressor> compressor_;
};

// Rewrites a baseline JPEG whose Huffman tables are the standard ones so that its only DHT
// segment comes directly after SOI, holding the tables in the recorder's order. Throws
// std::runtime_error for anything else (other tables, a broken marker sequence).
Bytes to_recorder_layout(const Bytes& jpeg);

// The payload of a picture block: the JPEG with its first 16 bytes replaced by the model code
// and the signature.
Bytes picture_payload(const Bytes& jpeg, ModelCode model);

} // namespace samplecard
