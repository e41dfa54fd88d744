#include "LoadParts.h"

#include <stdexcept>

#include "platform/File.h"
#include "platform/Platform.h"
#include "recording/ArchiveLayout.h"
#include "recording/BlockScanner.h"
#include "recording/SoundAssembly.h"
#include "recording/WaveFile.h"
#include "support/ReportTable.h"
#include "support/Timing.h"

namespace {

// Every block of the file walked as a load walks it; the sound blocks are kept.
std::vector<SoundBlock> scan_blocks(const std::wstring& path)
{
    using namespace archive_layout;
    File file = File::open_shared_read(path);
    uint8_t start[file_header_size + preamble_size];
    if (file.read(start, sizeof start) != sizeof start) {
        throw std::runtime_error("the event file has no header");
    }
    BlockScanner scanner(file, static_cast<int64_t>(sizeof start + start[file_header_size] * index_entry_size));
    std::vector<SoundBlock> sounds;
    while (const std::optional<ScannedBlock> block = scanner.next()) {
        const FrameRecord record = decode_block_header(block->bytes.data(), block->position);
        if (block->type() == sound_block && record.payload_size > 0) {
            SoundBlock kept{record.ms, record.sound_length, record.payload_size, record.payload_position, {}};
            kept.samples.resize(static_cast<size_t>(block_sample_count(record.sound_length, record.payload_size)));
            scanner.read(kept.payload_position, kept.samples.data(), kept.samples.size());
            sounds.push_back(std::move(kept));
        }
    }
    return sounds;
}

// The sound file as a load makes it: a temporary file, the blocks laid out, and deleted again.
void write_sound(const std::vector<SoundBlock>& sounds)
{
    const std::wstring sound_path = make_temp_file(L"obv");
    {
        WaveFile wave(sound_path);
        assemble_sound(sounds, wave);
        wave.finish();
    }
    delete_file(sound_path);
}

} // namespace

void bench_event_load_parts(const BenchInputs& inputs, int runs)
{
    std::vector<SoundBlock> sounds = scan_blocks(inputs.event);
    const PairedTimes parts = time_pairs(
        runs, [&] { sounds = scan_blocks(inputs.event); }, [&] { write_sound(sounds); });
    print_times("part: block scan (BlockScanner, records)", summarise(parts.measured));
    print_times("part: sound file (" + std::to_string(sounds.size()) + " blocks, made+deleted)",
                summarise(parts.floor));
}
