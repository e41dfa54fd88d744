#pragma once
// The byte layout of the recorder's archive files: the 32-byte file header, the index preamble
// with its entries, and the 64-byte block header that precedes every payload.
#include "samplecard/RecorderBytes.h"

#include <vector>

namespace samplecard {

inline constexpr uint8_t picture_block_type = 0x55;
inline constexpr uint8_t sound_block_type = 0xAA;
inline constexpr size_t file_header_size = 32;
inline constexpr size_t preamble_size = 16;
inline constexpr size_t index_entry_size = 8;
inline constexpr size_t block_header_size = 64;
// Where a picture block's signature lies: its payload starts with the two model-code bytes.
inline constexpr size_t signature_offset = block_header_size + 2;

// Header kinds: event recordings with a detection instant (sensor, manual), other events.
inline constexpr uint8_t kind_sensor_event = 0x10;
inline constexpr uint8_t kind_manual_event = 0x20;
inline constexpr uint8_t kind_continuous = 0x00;

struct FileHeaderFields {
    uint8_t kind = kind_continuous;
    CivilTime time;            // the recording's date and time (events: the detection instant)
    uint32_t detection_ms = 0; // on the block clock; 0 without a detection instant
    double g1 = 0;             // G at the detection instant, stored as raw sensor counts
    double g2 = 0;
    double speed_kmh = 0;
    uint8_t header_byte = 0;
    bool flag = false;
};

// What the recorder stamps on every block besides its type, size and time.
struct BlockStamp {
    int group = 0;      // picture group, one byte
    int number = 0;     // picture number, four BCD digits
    CivilTime time;     // capture date and time
    double g1 = 0;
    double g2 = 0;
    double speed_kmh = 0;
    uint64_t counter1 = 0; // pictures taken since power-on
    uint64_t counter2 = 0; // metres driven since power-on
    uint16_t aux = 0;      // the unit's temperature in tenths of a degree
    bool flag = false;
};

// One index entry: where a second of the recording starts.
struct IndexEntry {
    uint32_t offset = 0; // file offset of the block
    uint32_t ms = 0;     // its block time
};

Bytes file_header(const FileHeaderFields& fields);
// The 16-byte preamble (byte 0: the entry count) followed by the entries. At most 255.
Bytes index_area(const std::vector<IndexEntry>& entries);
Bytes block_header(uint8_t type, uint32_t payload_size, uint32_t ms, uint32_t sound_length, const BlockStamp& stamp);

} // namespace samplecard
