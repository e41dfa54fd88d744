#include "recording/WaveFile.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

void put_le16(uint8_t* p, uint16_t value)
{
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

void put_le32(uint8_t* p, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

uint16_t read_le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t read_le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

// Where the fields stand.
constexpr size_t format_at = 20;
constexpr size_t data_size_at = 40;

constexpr uint32_t riff_size_beyond_data = 36;
constexpr uint32_t largest_data_size = std::numeric_limits<uint32_t>::max() - riff_size_beyond_data;

} // namespace

void make_wave_header(uint32_t data_size, uint8_t* out)
{
    std::memcpy(out, "RIFF", 4);
    put_le32(out + 4, data_size + riff_size_beyond_data);
    std::memcpy(out + 8, "WAVEfmt ", 8);
    put_le32(out + 16, 16);                                // size of the format chunk
    uint8_t* format = out + format_at;
    put_le16(format, 1);                                   // PCM
    put_le16(format + 2, 1);                               // one channel
    put_le32(format + 4, WaveFile::sample_rate);           // samples per second
    put_le32(format + 8, WaveFile::sample_rate);           // bytes per second
    put_le16(format + 12, 1);                              // block align
    put_le16(format + 14, 8);                              // bits per sample
    std::memcpy(out + 36, "data", 4);
    put_le32(out + data_size_at, data_size);
}

std::optional<WaveHeader> parse_wave_header(const uint8_t* header)
{
    if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVEfmt ", 8) != 0 ||
        std::memcmp(header + 36, "data", 4) != 0) {
        return std::nullopt;
    }
    WaveHeader read;
    const uint8_t* format = header + format_at;
    read.format.tag = read_le16(format);
    read.format.channels = read_le16(format + 2);
    read.format.samples_per_second = read_le32(format + 4);
    read.format.bytes_per_second = read_le32(format + 8);
    read.format.block_align = read_le16(format + 12);
    read.format.bits_per_sample = read_le16(format + 14);
    read.data_size = read_le32(header + data_size_at);
    return read;
}

WaveFile::WaveFile(const std::wstring& path) : file_(File::create_exclusive_write(path))
{
    if (file_.is_open() && !write_header(0)) {
        file_.close();
    }
}

bool WaveFile::write_header(uint32_t data_size)
{
    uint8_t header[header_size];
    make_wave_header(data_size, header);
    return file_.seek(0) && file_.write(header, header_size);
}

bool WaveFile::append(const uint8_t* samples, size_t count)
{
    if (failed_ || !file_.is_open() || !file_.write(samples, count)) {
        failed_ = true; // what was written stays playable: finish() still records its size
        return false;
    }
    written_ += static_cast<int64_t>(count);
    return true;
}

void WaveFile::finish()
{
    if (file_.is_open()) {
        write_header(static_cast<uint32_t>(std::min<int64_t>(written_, largest_data_size)));
        file_.close();
    }
}
