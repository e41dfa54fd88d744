#pragma once
// Builds recorder archive bytes for tests: file headers, index preambles and blocks, field by
// field, so that each test states exactly the bytes it feeds the reader (digits that are no
// digits, counts out of range). The encodings are the sample card writer's.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

using Bytes = std::vector<uint8_t>;

// `value` as `count` BCD bytes, most significant digits first.
Bytes bcd(long long value, int count);
// A BCD date and time, YY MM DD hh mm ss, for the year 2000 + yy.
std::array<uint8_t, 6> bcd_date(int yy, int month, int day, int hour, int minute, int second);
// The model code and signature that the recorder writes over the start of every picture.
Bytes picture_mask(uint8_t code_high = 0x03, uint8_t code_low = 0x12);
// A picture payload of `size` bytes: the mask followed by filler bytes.
Bytes masked_payload(size_t size);

struct HeaderFields {
    uint8_t kind = 0x10;
    std::array<uint8_t, 6> time = bcd_date(10, 1, 2, 3, 4, 5);
    int32_t detection_ms = 0;
    uint16_t g1_count = 512;
    uint16_t g2_count = 512;
    int speed = 40; // written as BCD
    uint8_t header_byte = 0;
    uint8_t flag_byte = 0;
};

struct BlockFields {
    std::optional<int32_t> payload_size; // the payload's real length when unset
    int32_t ms = 0;
    int32_t sound_length = 0;
    uint8_t type = 0x55; // a picture
    uint8_t group = 0;
    int number = 0;      // BCD, 4 digits
    std::array<uint8_t, 6> time = bcd_date(10, 1, 2, 3, 4, 5);
    int g1_bcd = 0;      // the four BCD digits as written, e.g. 8123
    int g2_bcd = 0;
    int speed = 0;       // BCD
    long long counter1 = 0;
    long long counter2 = 0;
    uint16_t aux_word = 0;
    uint8_t flag_byte = 0;
};

// The 32 header bytes.
Bytes file_header(const HeaderFields& fields);
// The 64 block-header bytes followed by the payload.
Bytes block(const BlockFields& fields, const Bytes& payload);

class ArchiveBuilder {
public:
    // Starts with a header and a preamble announcing `index_entries` skipped index entries.
    explicit ArchiveBuilder(const HeaderFields& header = HeaderFields(), int index_entries = 0);

    ArchiveBuilder& information_block(uint8_t code_high = 0x03, uint8_t code_low = 0x12);
    // A picture block at block time `ms` with a masked payload of `payload_size` bytes.
    ArchiveBuilder& picture(int32_t ms, size_t payload_size = 32);
    ArchiveBuilder& picture(const BlockFields& fields, const Bytes& payload);
    // A sound block at block time `ms` holding `samples`.
    ArchiveBuilder& sound(int32_t ms, const Bytes& samples);
    ArchiveBuilder& raw(const Bytes& bytes);

    const Bytes& bytes() const { return bytes_; }
    size_t size() const { return bytes_.size(); }

private:
    Bytes bytes_;
};
