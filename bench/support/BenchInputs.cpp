#include "support/BenchInputs.h"

#include <algorithm>
#include <stdexcept>

#include "platform/File.h"
#include "base/Utf8.h"
#include "common/Arguments.h"
#include "samplecard/CardFiles.h"
#include "samplecard/CardWriter.h"
#include "samplecard/EventRecording.h"
#include "support/Timing.h"

namespace {

// The JPEG of one frame as the decoder sees it: the recorder's 16 masked bytes put back.
samplecard::Bytes frame_jpeg(const samplecard::WrittenArchive& event, int frame)
{
    const auto block = std::find_if(event.blocks.begin(), event.blocks.end(), [frame](const auto& candidate) {
        return candidate.kind == samplecard::BlockKind::picture && candidate.frame == frame && !candidate.duplicate;
    });
    if (block == event.blocks.end() || block->payload_size <= sizeof samplecard::jpeg_lead) {
        throw std::runtime_error("the event holds no such frame");
    }
    const auto first = event.bytes.begin() + static_cast<std::ptrdiff_t>(block->payload_offset());
    samplecard::Bytes jpeg(first, first + block->payload_size);
    std::copy(std::begin(samplecard::jpeg_lead), std::end(samplecard::jpeg_lead), jpeg.begin());
    return jpeg;
}

void write_event_inputs(const BenchInputs& inputs)
{
    samplecard::EventOptions options; // 900 frames, sound, detection at 12 s
    const samplecard::WrittenArchive event = samplecard::make_event(options);
    samplecard::write_file(inputs.event, event.bytes);
    samplecard::write_file(inputs.frame, frame_jpeg(event, bench_frame_number));
}

void write_chapter_inputs(const std::wstring& folder)
{
    samplecard::ContinuousOptions options;
    options.chapters = chapter_input_count;
    options.chapter_frames = 600;
    samplecard::write_continuous_folder(folder, options);
}

// A set is complete once its mark exists; the mark is written last.
template <typename Write> void write_once(const std::wstring& mark, const char* what, Write&& write)
{
    if (samplecard::file_exists(mark)) {
        return;
    }
    write_err(std::string("writing ") + what + " ...");
    const double seconds = time_once(write);
    samplecard::write_file(mark, {});
    write_err(" " + std::to_string(static_cast<int>(seconds + 0.5)) + " s\n");
}

} // namespace

BenchInputs prepare_inputs(const std::wstring& folder, bool with_chapters)
{
    using samplecard::join_path;
    BenchInputs inputs;
    samplecard::create_folders(folder);
    inputs.event = join_path(folder, L"Video.dvt");
    inputs.frame = join_path(folder, L"frame.jpg");
    write_once(join_path(folder, L"event.done"), "the event file", [&] { write_event_inputs(inputs); });
    if (with_chapters) {
        const std::wstring chapters = join_path(folder, L"CONT");
        write_once(join_path(folder, L"chapters.done"), "60 chapters", [&] { write_chapter_inputs(chapters); });
        for (int i = 0; i < chapter_input_count; ++i) {
            inputs.chapters.push_back(join_path(chapters, samplecard::ContinuousRecording::chapter_name(i)));
        }
    }
    return inputs;
}

std::vector<uint8_t> read_whole_file(const std::wstring& path)
{
    File file = File::open_shared_read(path);
    if (!file.is_open()) {
        throw std::runtime_error("cannot open " + wide_to_utf8(path));
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(file.size(), 0)));
    bytes.resize(file.read(bytes.data(), bytes.size()));
    return bytes;
}
