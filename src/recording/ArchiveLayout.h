#pragma once
// The recorder's archive layout: file header, index preamble, block headers and the masked
// start of every picture.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "recording/FrameRecord.h"

namespace archive_layout {

constexpr size_t file_header_size = 32;
constexpr size_t preamble_size = 16;
constexpr size_t index_entry_size = 8;
constexpr size_t block_header_size = 64;
constexpr size_t masked_size = 16;  // the payload bytes that hide the JPEG start
constexpr size_t block_peek_size = block_header_size + masked_size;
constexpr size_t signature_offset = 66; // in a block: payload bytes 2-15
constexpr size_t signature_size = 14;
constexpr int min_picture_payload = 17;
constexpr int max_payload = 1048576;

constexpr uint8_t picture_block = 0x55;
constexpr uint8_t sound_block = 0xAA;

// "ORVANDE-KAL." and two zero bytes: found after the model code in every picture payload.
extern const std::array<uint8_t, signature_size> signature;
// What the recorder's masking replaced: start of image and the start of the Huffman tables.
extern const std::array<uint8_t, masked_size> jpeg_start;

} // namespace archive_layout

// The file header of an event or chapter file, decoded.
struct FileHeader {
    int kind_code = 0;
    int64_t time = 0;
    int32_t detection_ms = 0;
    double g1 = 0.0;
    double g2 = 0.0;
    int speed = 0;
    uint8_t header_byte = 0;
    uint8_t flag = 0;
};

// 32 header bytes. The kind byte 0x10 gives 1, 0x20 gives 2, 0x18 gives 11, 0x19 gives 12.
FileHeader decode_file_header(const uint8_t* bytes);

// The frame record of a 64-byte block header found at `block_position`.
FrameRecord decode_block_header(const uint8_t* bytes, int64_t block_position);

// Whether a block's header and its first 16 payload bytes carry the signature at 66-79.
bool has_signature(const uint8_t* block_peek);

// Whether a picture payload begins with the model code and the signature, as the recorder
// leaves every picture.
bool is_masked_picture(const uint8_t* payload, size_t size);

// Puts the JPEG start back over the masked first 16 bytes; the payload must hold 16 or more.
void unmask_picture(std::vector<uint8_t>& payload);
