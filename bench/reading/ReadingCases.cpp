#include "ReadingCases.h"

#include <stdexcept>

#include "BareJpegDecoder.h"
#include "ReadingFloors.h"
#include "platform/File.h"
#include "image/JpegDecoder.h"
#include "recording/VideoArchive.h"
#include "support/ReportTable.h"
#include "support/Timing.h"
#include "image/Image.h"

namespace {

int64_t file_size(const std::wstring& path)
{
    return File::open_shared_read(path).size();
}

void print_comparison(const std::string& measured, const std::string& floor, const PairedTimes& times)
{
    print_times(measured, summarise(times.measured));
    print_times(floor, summarise(times.floor));
    print_ratio("ratio", summarise(times.ratios()));
}

// Loads with one archive object, as the loader does: every load resets the one before (and
// deletes its sound file), and writes its own sound file.
void bench_stream_load(const std::wstring& path, bool event, int runs, const std::string& title)
{
    VideoArchive archive;
    SequentialReader reader;
    const auto load = [&] { event ? archive.load_event(path) : archive.load_chapter(path); };
    const PairedTimes times = time_pairs(runs, load, [&] { reader.read_all(path); });
    const int64_t sound_bytes = archive.sound_path().empty() ? 0 : file_size(archive.sound_path());
    const PairedTimes with_sound = time_pairs(runs, load, [&] {
        reader.read_all(path);
        reader.write_temporary(static_cast<size_t>(sound_bytes));
    });
    print_heading(title + ": " + format_megabytes(static_cast<double>(file_size(path))) + ", " +
                  std::to_string(archive.frame_count()) + " slots, sound " +
                  (archive.sound_path().empty() ? "not written" : "written"));
    print_comparison(event ? "load_event" : "load_chapter", "floor: sequential read (1 MiB buffer)", times);
    // The load makes, writes and deletes a temporary sound file, which a read alone does not.
    print_times("floor: read + " + std::to_string(sound_bytes / 1000) + " kB temp file", summarise(with_sound.floor));
    print_ratio("ratio", summarise(with_sound.ratios()));
}

} // namespace

void bench_event_load(const BenchInputs& inputs, int runs)
{
    bench_stream_load(inputs.event, true, runs, "Event file");
}

void bench_chapter_load(const BenchInputs& inputs, int runs)
{
    bench_stream_load(inputs.chapters.front(), false, runs, "Chapter file");
}

void bench_chapter_count(const BenchInputs& inputs, int runs)
{
    int frames = 0;
    int64_t bytes = 0;
    int blocks = 0;
    const auto count_all = [&] {
        frames = 0;
        for (const auto& chapter : inputs.chapters) {
            frames += VideoArchive::count_chapter_frames(chapter);
        }
    };
    SequentialReader reader;
    const PairedTimes whole = time_pairs(runs, count_all, [&] {
        bytes = 0;
        for (const auto& chapter : inputs.chapters) {
            bytes += reader.read_all(chapter);
        }
    });
    const PairedTimes hops = time_pairs(runs, count_all, [&] {
        blocks = 0;
        for (const auto& chapter : inputs.chapters) {
            blocks += hop_block_headers(chapter);
        }
    });
    print_heading("count_chapter_frames over " + std::to_string(inputs.chapters.size()) + " chapters: " +
                  format_megabytes(static_cast<double>(bytes)) + ", " + std::to_string(blocks) + " blocks, " +
                  std::to_string(frames) + " frames counted");
    print_comparison("count_chapter_frames x 60", "floor: sequential read (1 MiB buffer)", whole);
    print_times("floor: one 80-byte read per block header", summarise(hops.floor));
    print_ratio("ratio", summarise(hops.ratios()));
}

void bench_decode(const BenchInputs& inputs, int runs)
{
    const std::vector<uint8_t> jpeg = read_whole_file(inputs.frame);
    const std::unique_ptr<Image> picture = decode_jpeg(jpeg.data(), jpeg.size());
    if (!picture || decode_bare(jpeg.data(), jpeg.size()) != picture->height()) {
        throw std::runtime_error("the benchmark frame does not decode");
    }
    const PairedTimes times = time_pairs(
        runs, [&] { decode_jpeg(jpeg.data(), jpeg.size()); }, [&] { decode_bare(jpeg.data(), jpeg.size()); });
    print_heading("decode_jpeg of one " + std::to_string(picture->width()) + "x" + std::to_string(picture->height()) +
                  " frame (" + std::to_string(jpeg.size() / 1000) + " kB)");
    print_comparison("decode_jpeg", "floor: bare libjpeg scan-line loop", times);
    // The loop above keeps one line in the cache; the viewer needs the whole picture in memory.
    std::vector<uint8_t> pixels;
    const PairedTimes whole = time_pairs(
        runs, [&] { decode_jpeg(jpeg.data(), jpeg.size()); },
        [&] { decode_bare_picture(jpeg.data(), jpeg.size(), pixels); });
    print_times("floor: the loop into a whole BGRX picture", summarise(whole.floor));
    print_ratio("ratio", summarise(whole.ratios()));
    // Every decode fills a new picture; what that costs by itself tells how much of the gap a
    // reused buffer would close.
    std::vector<double> allocations;
    for (int i = 0; i < runs; ++i) {
        allocations.push_back(time_once([&] { Image fresh(picture->width(), picture->height()); }));
    }
    print_times("part: a fresh picture (allocate, zero, free)", summarise(allocations));
}
