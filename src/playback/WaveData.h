#pragma once
// The sound track the archive reader extracted: a RIFF/WAVE file of 8-bit mono PCM at
// 11025 samples per second, in the fixed layout the reader writes (format chunk first, the
// data chunk right after it).
#include "recording/WaveFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class WaveData {
public:
    // Reads the whole file. Anything else than that layout and format, or a short file, throws
    // a WaveAudioException whose message is the path.
    static WaveData read(const std::wstring& path);

    const WaveFormat& format() const { return format_; }
    const std::vector<uint8_t>& samples() const { return samples_; }

private:
    WaveFormat format_;
    std::vector<uint8_t> samples_;
};

// The part of the samples one output buffer carries when filling starts at byte `from`: up to
// the next multiple of the buffer length, so that after a seek the first buffer is short and
// the following ones fall on whole buffer boundaries. `end` == `from` when nothing is left.
struct FillRange {
    int64_t from = 0;
    int64_t end = 0;
};
FillRange fill_range(int64_t from, int64_t data_size, int64_t buffer_length);

// Copies `count` samples scaled by the volume 0 ... 16 (16 leaves them unchanged, 0 is silence).
void scale_samples(const uint8_t* in, uint8_t* out, size_t count, int volume);
