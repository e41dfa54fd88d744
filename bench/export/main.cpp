// tarvo-bench-export: how long the AVI export of a 60-chapter continuous recording takes beside a
// plain copy of the same bytes into one file, from three runs of each (the goal is at most twice
// the copy). Prints figures; never fails on time.
#include "common/Arguments.h"
#include "platform/File.h"
#include "playback/AviClipWriter.h"
#include "playback/ClipExport.h"
#include "recording/DataType.h"
#include "samplecard/CardFiles.h"
#include "support/BenchInputs.h"
#include "support/BenchOptions.h"
#include "support/ReportTable.h"
#include "support/Timing.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

namespace {

const char* const usage = "usage: tarvo-bench-export [--data DIR]\n";

// The floor: every chapter's bytes read and appended to one file through a 1 MiB buffer.
int64_t copy_chapters(const std::vector<std::wstring>& chapters, const std::wstring& to)
{
    File out = File::create_exclusive_write(to);
    if (!out.is_open()) {
        throw std::runtime_error("cannot write the copy");
    }
    std::vector<uint8_t> buffer(1 << 20);
    int64_t copied = 0;
    for (const std::wstring& chapter : chapters) {
        File in = File::open_shared_read(chapter);
        size_t got = 0;
        while ((got = in.read(buffer.data(), buffer.size())) > 0) {
            if (!out.write(buffer.data(), got)) {
                throw std::runtime_error("the copy could not be written");
            }
            copied += static_cast<int64_t>(got);
        }
    }
    return copied;
}

// What the export costs before the file: reading the chapters and choosing every slot's picture
// and sound, handed to a writer that keeps nothing.
class DiscardingWriter : public IClipWriter {
public:
    void start(const ClipFormat&) override {}
    void add_picture(const uint8_t*, size_t) override {}
    void add_sound(const uint8_t*, size_t) override {}
    void finish() override {}
    void abandon() override {}
};

int64_t file_size(const std::wstring& path)
{
    return File::open_shared_read(path).size();
}

int run(const BenchOptions&, const std::wstring& folder)
{
    const BenchInputs inputs = prepare_inputs(folder, true);
    const std::wstring chapters = samplecard::join_path(folder, L"CONT");
    const std::wstring clip = samplecard::join_path(folder, L"export.avi");
    const std::wstring copy = samplecard::join_path(folder, L"copy.bin");
    int64_t slots = 0;
    int64_t clip_bytes = 0;
    int64_t copy_bytes = 0;
    // Each run starts by removing what the runs before it wrote, so that the system does not
    // write those back to the disk while it runs (their pages are dropped with the files).
    const auto remove_outputs = [&] {
        DeleteFileW(clip.c_str());
        DeleteFileW(copy.c_str());
    };
    // One untimed run of each brings the chapters into the cache; then three timed runs of each,
    // alternating (the system's write-back of what the runs wrote moves single figures a lot).
    constexpr int pairs = 3;
    const PairedTimes times = time_pairs(
        pairs,
        [&] {
            remove_outputs();
            const auto export_clip = ClipExport::of_folder(chapters, data_type_continuous);
            AviClipWriter writer(clip);
            while (export_clip->step(writer)) {
            }
            slots = export_clip->slots_written();
            clip_bytes = file_size(clip);
        },
        [&] {
            remove_outputs();
            copy_bytes = copy_chapters(inputs.chapters, copy);
        });
    print_heading("AVI export of 60 one-minute chapters (" + std::to_string(slots) + " frames, " +
                  format_megabytes(static_cast<double>(clip_bytes)) + ")");
    print_times("export (ClipExport + AVIFile)", summarise(times.measured));
    print_times("floor: plain copy of the chapters' " + format_megabytes(static_cast<double>(copy_bytes)),
                summarise(times.floor));
    print_ratio("ratio (goal: at most 2x)", summarise(times.ratios()));
    // The file alone: as many pictures and as much sound as the export wrote, all from memory.
    const std::vector<uint8_t> frame = read_whole_file(inputs.frame);
    const std::vector<uint8_t> second_of_sound(11025, 0x80);
    constexpr int frames_per_second = 10;
    const double writing = time_once([&] {
        remove_outputs();
        AviClipWriter writer(clip);
        writer.start(ClipFormat{frames_per_second, 640, 480});
        for (int64_t slot = 0; slot < slots; ++slot) {
            writer.add_picture(frame.data(), frame.size());
            if (slot % frames_per_second == frames_per_second - 1) {
                writer.add_sound(second_of_sound.data(), second_of_sound.size());
            }
        }
        writer.finish();
    });
    print_figure("of which writing the file (" + std::to_string(slots) + " pictures of " +
                     std::to_string(frame.size() / 1000) + " kB from memory)",
                 format_duration(writing));
    const double reading = time_once([&] {
        const auto export_clip = ClipExport::of_folder(chapters, data_type_continuous);
        DiscardingWriter nothing;
        while (export_clip->step(nothing)) {
        }
    });
    print_figure("of which reading the chapters (no file written)", format_duration(reading));
    remove_outputs();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return bench_main(argc, argv, "tarvo-bench-export", usage, run);
}
