#pragma once
// Helpers of the sample card tests: a fresh temporary folder, big-endian and BCD reads of the
// written bytes, the block chain of an archive file, and a libjpeg decode.
#include "samplecard/RecorderBytes.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace samplecard_test {

using samplecard::Bytes;

uint32_t be16(const Bytes& bytes, size_t at);
uint32_t be32(const Bytes& bytes, size_t at);
// `size` bytes of packed BCD as a number; -1 when a nibble is not a decimal digit.
int64_t bcd(const Bytes& bytes, size_t at, size_t size);

// A block found by following the payload sizes from the first block on.
struct ChainBlock {
    size_t offset;
    uint32_t payload_size;
    uint32_t ms;
    uint8_t type;
};
// The blocks of an event or chapter file in file order; `complete` tells whether the last
// one ends exactly at the end of the file.
std::vector<ChainBlock> block_chain(const Bytes& file, bool& complete);

bool has_signature_at(const Bytes& bytes, size_t at);

struct Decoded {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // top row first
};
Decoded decode_jpeg(const Bytes& jpeg);
// A picture payload with its first 16 bytes put back, as a reader does before decoding.
Bytes restore_jpeg(const uint8_t* payload, size_t size);

Bytes read_file(const std::wstring& path);
bool exists(const std::wstring& path);
bool is_hidden(const std::wstring& path);

} // namespace samplecard_test
