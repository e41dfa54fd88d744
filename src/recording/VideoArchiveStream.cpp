// Reading event and chapter files: header, block stream, sound and frame placement.
#include "recording/VideoArchive.h"

#include <algorithm>

#include "base/Exception.h"
#include "base/ModelCode.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "base/Text.h"
#include "recording/ArchiveLayout.h"
#include "recording/BigEndian.h"
#include "recording/BlockScanner.h"
#include "recording/SoundAssembly.h"
#include "recording/WaveFile.h"

namespace {

constexpr int unreadable_text = texts::data_unreadable;
const std::wstring sound_file_prefix = L"obv";

constexpr size_t file_start_size = archive_layout::file_header_size + archive_layout::preamble_size;

// The file header and the index preamble, `start`: the header, and where the blocks begin.
FileHeader decode_file_start(const uint8_t* start, int64_t& first_block)
{
    using namespace archive_layout;
    first_block = static_cast<int64_t>(file_start_size + start[file_header_size] * index_entry_size);
    return decode_file_header(start);
}

FileHeader read_file_start(File& file, int64_t& first_block)
{
    uint8_t start[file_start_size];
    if (!file.seek(0) || file.read(start, sizeof start) != sizeof start) {
        throw VideoArchiveException(load_text(unreadable_text));
    }
    return decode_file_start(start, first_block);
}

int32_t payload_size(const ScannedBlock& block)
{
    return read_be32_signed(block.bytes.data());
}

} // namespace

void VideoArchive::load_event(const std::wstring& path)
{
    load_stream(path, FrameClock::event);
}

void VideoArchive::load_chapter(const std::wstring& path)
{
    load_stream(path, FrameClock::chapter);
}

void VideoArchive::load_event_bytes(const std::vector<uint8_t>& bytes)
{
    load_stream_bytes(bytes, FrameClock::event);
}

void VideoArchive::load_chapter_bytes(const std::vector<uint8_t>& bytes)
{
    load_stream_bytes(bytes, FrameClock::chapter);
}

void VideoArchive::load_stream(const std::wstring& path, FrameClock clock)
{
    reset();
    file_ = File::open_shared_read(path);
    if (!file_.is_open()) {
        throw VideoArchiveException(load_text(unreadable_text));
    }
    try {
        read_stream(clock, nullptr);
    } catch (...) {
        reset(); // a half-read recording is never left behind
        throw;
    }
}

void VideoArchive::load_stream_bytes(const std::vector<uint8_t>& bytes, FrameClock clock)
{
    reset();
    try {
        read_stream(clock, &bytes);
    } catch (...) {
        reset();
        throw;
    }
}

void VideoArchive::open_sound_file(std::unique_ptr<WaveFile>& wave)
{
    sound_path_ = make_temp_file(sound_file_prefix);
    if (!sound_path_.empty()) {
        wave = std::make_unique<WaveFile>(sound_path_);
    }
    if (!wave || !wave->is_open()) {
        wave.reset();
        if (!sound_path_.empty()) {
            delete_file(sound_path_);
            sound_path_.clear();
        }
        sound_failed_ = true; // the recording still plays, without sound
    }
}

void VideoArchive::read_stream(FrameClock clock, const std::vector<uint8_t>* bytes)
{
    using namespace archive_layout;
    std::unique_ptr<WaveFile> wave;
    open_sound_file(wave);

    int64_t first_block = 0;
    if (bytes == nullptr) {
        header_ = read_file_start(file_, first_block);
    } else if (bytes->size() >= file_start_size) {
        header_ = decode_file_start(bytes->data(), first_block);
    } else {
        throw VideoArchiveException(load_text(unreadable_text));
    }
    const int64_t source_size = bytes == nullptr ? file_.size() : static_cast<int64_t>(bytes->size());

    const ModelCode code = model_code();
    std::vector<std::unique_ptr<FrameRecord>> records;
    std::vector<SoundBlock> sounds;
    bool information_seen = false;
    BlockScanner scanner = bytes == nullptr ? BlockScanner(file_, first_block)
                                            : BlockScanner(bytes->data(), bytes->size(), first_block);
    while (records.size() < max_frame_slots && sounds.size() < max_frame_slots) {
        const std::optional<ScannedBlock> block = scanner.next();
        if (!block) {
            break;
        }
        const int32_t size = payload_size(*block);
        if (block->type() == picture_block && !information_seen) {
            information_seen = true;
            if (block->bytes[block_header_size] != code.high || block->bytes[block_header_size + 1] != code.low) {
                throw VideoArchiveException(load_text(unreadable_text));
            }
        } else if (block->type() == picture_block && size > 0) {
            records.push_back(std::make_unique<FrameRecord>(decode_block_header(block->bytes.data(), block->position)));
        } else if (block->type() == sound_block && wave && size > 0) {
            const FrameRecord sound = decode_block_header(block->bytes.data(), block->position);
            SoundBlock kept{sound.ms, sound.sound_length, sound.payload_size, sound.payload_position, {}};
            // The samples come out of the pass's window now; a short file leaves silence.
            kept.samples.resize(static_cast<size_t>(block_sample_count(sound.sound_length, sound.payload_size)),
                                WaveFile::silence);
            if (!scanner.read(kept.payload_position, kept.samples.data(), kept.samples.size())) {
                const int64_t available = std::max<int64_t>(0, source_size - kept.payload_position);
                std::fill(kept.samples.begin(), kept.samples.end(), WaveFile::silence);
                scanner.read(kept.payload_position, kept.samples.data(),
                             static_cast<size_t>(std::min<int64_t>(available, static_cast<int64_t>(kept.samples.size()))));
            }
            sounds.push_back(std::move(kept));
        }
    }
    if (wave) {
        assemble_sound(std::move(sounds), *wave);
        wave->finish();
    }
    place_stream_frames(std::move(records), clock);
}

void VideoArchive::place_stream_frames(std::vector<std::unique_ptr<FrameRecord>> records, FrameClock clock)
{
    frame_count_ = place_frames(std::move(records), clock, slots_);
    for (int i = 0; i < frame_count_; ++i) {
        if (slots_[static_cast<size_t>(i)] && slots_[static_cast<size_t>(i)]->frame_flag != 0) {
            any_flag_ = true;
        }
    }
    if (clock == FrameClock::event && (header_.kind_code == 1 || header_.kind_code == 2)) {
        detection_index_ = find_detection_frame(slots_, frame_count_, header_.detection_ms);
        if (detection_index_ >= 0) {
            slots_[static_cast<size_t>(detection_index_)]->marker = header_.kind_code;
        }
        apply_pre_roll(slots_, frame_count_, detection_index_);
    }
    fill_empty_slots(slots_, frame_count_);
    time_index_ = build_time_index(slots_, frame_count_, clock);
    if (clock == FrameClock::chapter) {
        store_chapter_row();
    }
    any_flag_ = any_flag_ || header_.flag != 0;
    set_valid_span();
    if (clock == FrameClock::event) {
        check_detection();
    }
    recording_time_ = header_.time;
}

void VideoArchive::check_detection()
{
    if (detection_index_ < 0) {
        return;
    }
    const int64_t frame_time = slots_[static_cast<size_t>(detection_index_)]->time;
    const auto within_times = [this](int64_t time) {
        return time != 0 && time >= start_time_ && time <= end_time_;
    };
    const int32_t ms = header_.detection_ms;
    const bool ms_within = ms != 0 && ms >= start_ms_ && ms <= end_ms_;
    if (!within_times(frame_time) || !within_times(header_.time) || !ms_within) {
        header_.kind_code = 0;
        detection_index_ = -1;
    }
}

void VideoArchive::store_chapter_row()
{
    if (chapter_number_ < 0 || chapter_number_ >= chapter_table_rows) {
        return; // no row to hold it
    }
    std::vector<TimeIndexEntry>& row = chapter_table_[static_cast<size_t>(chapter_number_)];
    row.assign(static_cast<size_t>(chapter_row_size), TimeIndexEntry{});
    const size_t count = std::min(time_index_.size(), static_cast<size_t>(chapter_row_size));
    std::copy(time_index_.begin(), time_index_.begin() + static_cast<std::ptrdiff_t>(count), row.begin());
}

int VideoArchive::count_chapter_frames(const std::wstring& path)
{
    using namespace archive_layout;
    File file = File::open_shared_read(path);
    if (!file.is_open()) {
        throw VideoArchiveException(load_text(unreadable_text));
    }
    int64_t first_block = 0;
    read_file_start(file, first_block);
    std::vector<int32_t> times;
    bool information_seen = false;
    // Only the headers are wanted here: one small read per block, no payload read.
    BlockScanner scanner(file, first_block, block_peek_size);
    while (times.size() < max_frame_slots) {
        const std::optional<ScannedBlock> block = scanner.next();
        if (!block) {
            break;
        }
        if (block->type() != picture_block) {
            continue;
        }
        if (!information_seen) {
            information_seen = true;
        } else if (payload_size(*block) > 0) {
            times.push_back(read_be32_signed(block->bytes.data() + 4));
        }
    }
    if (times.empty()) {
        return 0;
    }
    const int64_t first = *std::min_element(times.begin(), times.end());
    int64_t last_slot = 0;
    for (const int32_t time : times) {
        const int64_t slot = frame_slot(time - first, FrameClock::chapter);
        if (slot < max_frame_slots) {
            last_slot = std::max(last_slot, slot);
        }
    }
    return static_cast<int>(last_slot + 1);
}
