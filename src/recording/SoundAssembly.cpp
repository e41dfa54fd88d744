#include "recording/SoundAssembly.h"

#include <algorithm>

#include "platform/File.h"
#include "recording/WaveFile.h"

namespace {

constexpr int64_t copy_buffer_size = 10000;

// Reads up to `wanted` samples of `block` into the start of `buffer`, which is silence
// beforehand; samples are never taken from beyond the block's own payload.
void read_samples(File& archive, const SoundBlock& block, int64_t wanted, std::vector<uint8_t>& buffer)
{
    const int64_t count = std::min({wanted, static_cast<int64_t>(block.sound_length),
                                    static_cast<int64_t>(block.payload_size)});
    if (count > 0 && archive.seek(block.payload_position)) {
        archive.read(buffer.data(), static_cast<size_t>(count));
    }
}

void append_silence(WaveFile& wave, std::vector<uint8_t>& buffer, int64_t count)
{
    std::fill(buffer.begin(), buffer.end(), WaveFile::silence);
    while (count > 0) {
        const int64_t run = std::min(count, copy_buffer_size);
        wave.append(buffer.data(), static_cast<size_t>(run));
        count -= run;
    }
}

} // namespace

int64_t assemble_sound(File& archive, std::vector<SoundBlock> blocks, WaveFile& wave)
{
    if (blocks.empty()) {
        return 0;
    }
    std::stable_sort(blocks.begin(), blocks.end(),
                     [](const SoundBlock& a, const SoundBlock& b) { return a.ms < b.ms; });
    const int64_t t0 = blocks.front().ms;
    std::vector<uint8_t> buffer(copy_buffer_size);
    int64_t written = 0;
    for (size_t j = 0; j + 1 < blocks.size(); ++j) {
        // Every place is reckoned from the first block's time, so rounding never accumulates.
        const int64_t place = std::min((blocks[j + 1].ms - t0) * WaveFile::sample_rate / 1000, max_sound_bytes);
        const int64_t target = place - written;
        if (target <= 16) {
            continue;
        }
        const int64_t chunk = std::min(target, copy_buffer_size);
        std::fill(buffer.begin(), buffer.end(), WaveFile::silence);
        read_samples(archive, blocks[j], chunk, buffer);
        wave.append(buffer.data(), static_cast<size_t>(chunk));
        append_silence(wave, buffer, target - chunk);
        written += target;
    }
    const int64_t last = std::max<int64_t>(
        0, std::min({static_cast<int64_t>(blocks.back().sound_length), copy_buffer_size, max_sound_bytes - written}));
    std::fill(buffer.begin(), buffer.end(), WaveFile::silence);
    read_samples(archive, blocks.back(), last, buffer);
    wave.append(buffer.data(), static_cast<size_t>(last));
    return written + last;
}
