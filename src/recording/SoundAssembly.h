#pragma once
// Lays the sound blocks of a recording end to end in a WAVE file, each at the place its block
// time gives it, with silence between them.
#include <cstdint>
#include <vector>

class File;
class WaveFile;

struct SoundBlock {
    int32_t ms = 0;           // block time
    int32_t sound_length = 0; // samples at the start of the payload
    int32_t payload_size = 0;
    int64_t payload_position = 0;
};

// A damaged block time must not fill the disk with silence. No file plays longer than 900
// frames at 10 per second (90 s), so the sound ends after three minutes.
constexpr int64_t max_sound_bytes = 11025LL * 180;

// Appends the samples of `blocks` (in any order) to `wave`; returns the bytes appended.
int64_t assemble_sound(File& archive, std::vector<SoundBlock> blocks, WaveFile& wave);
