#include "recording/SoundAssembly.h"

#include <algorithm>

#include "recording/WaveFile.h"

namespace {

// The samples go to the file in writes of this size: large enough that the writes cost little,
// small enough that the staging buffer is reused memory rather than fresh pages each load.
constexpr size_t write_chunk = 65536;

// Stages samples and silence and writes them to the file a chunk at a time.
struct StagedSound {
    WaveFile& wave;
    std::vector<uint8_t> chunk;
    int64_t total = 0;

    void flush()
    {
        wave.append(chunk.data(), chunk.size());
        chunk.clear();
    }

    void put(const uint8_t* bytes, int64_t count, bool silent)
    {
        total += count;
        while (count > 0) {
            const auto room = static_cast<int64_t>(write_chunk - chunk.size());
            const auto part = static_cast<size_t>(std::min(count, room));
            if (silent) {
                chunk.insert(chunk.end(), part, WaveFile::silence);
            } else {
                chunk.insert(chunk.end(), bytes, bytes + part);
                bytes += part;
            }
            count -= static_cast<int64_t>(part);
            if (chunk.size() == write_chunk) {
                flush();
            }
        }
    }
};

// Appends `count` bytes: the block's first samples (at most `count`), then silence.
void append_block(StagedSound& out, const SoundBlock& block, int64_t count)
{
    const auto samples = std::min(count, static_cast<int64_t>(block.samples.size()));
    out.put(block.samples.data(), samples, false);
    out.put(nullptr, count - samples, true);
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
    StagedSound out{wave, {}, 0};
    out.chunk.reserve(write_chunk);
    for (size_t j = 0; j + 1 < blocks.size(); ++j) {
        // Every place is reckoned from the first block's time, so rounding never accumulates.
        const int64_t place = std::min((blocks[j + 1].ms - t0) * WaveFile::sample_rate / 1000, max_sound_bytes);
        const int64_t target = place - out.total;
        if (target <= 16) {
            continue;
        }
        // A block gives at most 10,000 of its samples; the rest of its place is silence.
        append_block(out, blocks[j], std::min(target, max_block_samples));
        out.put(nullptr, target - std::min(target, max_block_samples), true);
    }
    const int64_t last = std::max<int64_t>(
        0, std::min({static_cast<int64_t>(blocks.back().sound_length), max_block_samples,
                     max_sound_bytes - out.total}));
    append_block(out, blocks.back(), last);
    out.flush();
    return out.total;
}
