#include "recording/SoundAssembly.h"

#include <algorithm>

#include "recording/WaveFile.h"

namespace {

// Appends `count` bytes: the block's first samples (at most `count`), then silence.
void append_block(std::vector<uint8_t>& out, const SoundBlock& block, int64_t count)
{
    const auto samples = std::min(count, static_cast<int64_t>(block.samples.size()));
    out.insert(out.end(), block.samples.begin(), block.samples.begin() + static_cast<std::ptrdiff_t>(samples));
    out.insert(out.end(), static_cast<size_t>(count - samples), WaveFile::silence);
}

} // namespace

int64_t block_sample_count(int32_t sound_length, int32_t payload_size)
{
    return std::max<int64_t>(0, std::min({static_cast<int64_t>(sound_length), static_cast<int64_t>(payload_size),
                                          max_block_samples}));
}

int64_t assemble_sound(std::vector<SoundBlock> blocks, WaveFile& wave)
{
    if (blocks.empty()) {
        return 0;
    }
    std::stable_sort(blocks.begin(), blocks.end(),
                     [](const SoundBlock& a, const SoundBlock& b) { return a.ms < b.ms; });
    const int64_t t0 = blocks.front().ms;
    std::vector<uint8_t> out;
    for (size_t j = 0; j + 1 < blocks.size(); ++j) {
        // Every place is reckoned from the first block's time, so rounding never accumulates.
        const int64_t place = std::min((blocks[j + 1].ms - t0) * WaveFile::sample_rate / 1000, max_sound_bytes);
        const int64_t target = place - static_cast<int64_t>(out.size());
        if (target <= 16) {
            continue;
        }
        // A block gives at most 10,000 of its samples; the rest of its place is silence.
        append_block(out, blocks[j], std::min(target, max_block_samples));
        out.insert(out.end(), static_cast<size_t>(target - std::min(target, max_block_samples)), WaveFile::silence);
    }
    const int64_t last = std::max<int64_t>(
        0, std::min({static_cast<int64_t>(blocks.back().sound_length), max_block_samples,
                     max_sound_bytes - static_cast<int64_t>(out.size())}));
    append_block(out, blocks.back(), last);
    wave.append(out.data(), out.size());
    return static_cast<int64_t>(out.size());
}
