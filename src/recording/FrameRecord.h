#pragma once
// What the recorder stored with one frame: its block's time and place in the file, the capture
// time, the G values, the speed and the recorder's own counters and flags.
#include <cstdint>
#include <string>

struct FrameRecord {
    int picture_group = 0;     // block byte 32
    int picture_number = 0;    // BCD, block bytes 33-34
    int marker = 0;            // the kind code on the detection frame, else 0
    int64_t time = 0;          // capture date and time, seconds since 1970; 0 when invalid
    double g1 = 0.0;           // G, sign and magnitude, resolution 0.001
    double g2 = 0.0;
    double g_magnitude = 0.0;  // sqrt(g1^2 + g2^2)
    int speed = 0;             // km/h, 0 ... 180
    int counter1 = 0;          // BCD, block bytes 48-51
    int counter2 = 0;          // BCD, block bytes 52-55
    int aux_word = 0;          // block bytes 59-60
    int aux_low = 0;           // block byte 60
    uint8_t frame_flag = 0;    // bit 0 of block byte 61; 0 in filler copies
    int payload_size = 0;      // signed, as stored
    int sound_length = 0;      // sound blocks; 0 in filler copies
    int ms = 0;                // block time on the recorder's clock
    int64_t payload_position = 0; // file offset of the payload
    uint8_t block_type = 0;    // 0x55 picture, 0xAA sound; 0 in filler copies
    std::wstring path;         // picture files only: the file's full path
};

// One entry of a recording's time index.
struct TimeIndexEntry {
    int32_t ms = 0;
    int32_t slot = 0;
    int32_t third = 0; // 0 for event files, the frame's speed for chapter files
};
