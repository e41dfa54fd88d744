#pragma once
// The temporary sound file: RIFF/WAVE, PCM, 8-bit mono at 11025 samples per second.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/File.h"

class WaveFile {
public:
    static constexpr size_t header_size = 44;
    static constexpr int sample_rate = 11025;
    static constexpr uint8_t silence = 0x80;

    // Creates the file and writes a header with both sizes 0; is_open() tells whether it worked.
    explicit WaveFile(const std::wstring& path);

    bool is_open() const { return file_.is_open(); }
    // Appends samples; false when this or an earlier write failed (nothing more is appended).
    bool append(const uint8_t* samples, size_t count);
    int64_t data_size() const { return written_; }
    // Writes the final sizes into the header and closes the file.
    void finish();

private:
    bool write_header(uint32_t data_size);

    File file_;
    int64_t written_ = 0;
    bool failed_ = false;
};

// The fields of a header's format chunk.
struct WaveFormat {
    uint16_t tag = 0;
    uint16_t channels = 0;
    uint32_t samples_per_second = 0;
    uint32_t bytes_per_second = 0;
    uint16_t block_align = 0;
    uint16_t bits_per_sample = 0;
};

struct WaveHeader {
    WaveFormat format;
    uint32_t data_size = 0;
};

// The 44-byte header for `data_size` bytes of samples.
void make_wave_header(uint32_t data_size, uint8_t* out);
// The 44 bytes at `header` read back, or nothing when they are not laid out as make_wave_header
// lays them out (the format chunk first, the data chunk right after it). The format's values
// are not checked.
std::optional<WaveHeader> parse_wave_header(const uint8_t* header);
