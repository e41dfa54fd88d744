#pragma once
// Lays the sound blocks of a recording end to end in a WAVE file, each at the place its block
// time gives it, with silence between them.
#include <cstdint>
#include <vector>

class WaveFile;

struct SoundBlock {
    int32_t ms = 0;           // block time
    int32_t sound_length = 0; // samples at the start of the payload
    int32_t payload_size = 0;
    int64_t payload_position = 0;
    // The first samples of the payload, as many as a block ever contributes (read while the
    // pass over the blocks is there, so the file is not visited again).
    std::vector<uint8_t> samples;
};

// A damaged block time must not fill the disk with silence. No file plays longer than 900
// frames at 10 per second (90 s), so the sound ends after three minutes.
constexpr int64_t max_sound_bytes = 11025LL * 180;

// No block contributes more than this many of its own samples.
constexpr int64_t max_block_samples = 10000;

// How many samples of a block to keep: its sound length, within its payload, at most 10,000.
int64_t block_sample_count(int32_t sound_length, int32_t payload_size);

// Appends the samples of `blocks` (in any order) to `wave` in writes of 64 kB; returns the bytes
// appended.
int64_t assemble_sound(std::vector<SoundBlock> blocks, WaveFile& wave);
