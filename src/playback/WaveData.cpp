#include "playback/WaveData.h"

#include "base/Exception.h"
#include "platform/File.h"

#include <algorithm>
#include <cstring>

namespace {

bool supported(const WaveFormat& format)
{
    return format.tag == 1 && format.channels == 1 && format.samples_per_second == WaveFile::sample_rate &&
           format.block_align == 1 && format.bits_per_sample == 8;
}

} // namespace

WaveData WaveData::read(const std::wstring& path)
{
    File file = File::open_shared_read(path);
    uint8_t header[WaveFile::header_size];
    if (!file.is_open() || file.read(header, sizeof header) != sizeof header) {
        throw WaveAudioException(path);
    }
    const std::optional<WaveHeader> read = parse_wave_header(header);
    if (!read || !supported(read->format)) {
        throw WaveAudioException(path);
    }
    WaveData wave;
    wave.format_ = read->format;
    // A damaged size must not allocate more than the file can hold.
    const uint32_t data_size = read->data_size;
    const int64_t file_size = file.size();
    if (file_size < 0 || static_cast<int64_t>(data_size) > file_size - static_cast<int64_t>(WaveFile::header_size)) {
        throw WaveAudioException(path);
    }
    wave.samples_.resize(data_size);
    if (file.read(wave.samples_.data(), data_size) != data_size) {
        throw WaveAudioException(path);
    }
    return wave;
}

FillRange fill_range(int64_t from, int64_t data_size, int64_t buffer_length)
{
    FillRange range;
    range.from = std::clamp<int64_t>(from, 0, std::max<int64_t>(data_size, 0));
    range.end = range.from;
    if (buffer_length <= 0) {
        return range;
    }
    // The last buffer ends at the data's end, so the final sample is played too.
    range.end = std::min(buffer_length * ((range.from + buffer_length) / buffer_length), data_size);
    range.end = std::max(range.end, range.from);
    return range;
}

void scale_samples(const uint8_t* in, uint8_t* out, size_t count, int volume)
{
    volume = std::clamp(volume, 0, 16);
    if (volume == 16) {
        std::memcpy(out, in, count);
        return;
    }
    for (size_t i = 0; i < count; ++i) {
        // Integer division truncates toward zero, so quiet samples fall back to the centre.
        out[i] = static_cast<uint8_t>((static_cast<int>(in[i]) - 128) * volume / 16 + 128);
    }
}
