#include "recording/VideoArchive.h"

#include <algorithm>

#include "base/Exception.h"
#include "platform/FileSearch.h"
#include "platform/Platform.h"
#include "base/Text.h"
#include "image/JpegDecoder.h"
#include "recording/ArchiveLayout.h"
#include "recording/DataPattern.h"
#include "recording/RecorderFields.h"
#include "image/Image.h"

namespace {

constexpr int unreadable_text = texts::data_unreadable;
constexpr int picture_gone_text = texts::picture_moved;
constexpr int picture_kind_code = 11;
const std::wstring picture_pattern = L"*.dpc";

} // namespace

VideoArchive::VideoArchive()
    : slots_(max_frame_slots),
      chapter_table_(static_cast<size_t>(chapter_table_rows))
{
}

VideoArchive::~VideoArchive()
{
    reset();
}

void VideoArchive::reset()
{
    file_.close();
    for (auto& slot : slots_) {
        slot.reset();
    }
    frame_count_ = 0;
    time_index_.clear();
    detection_index_ = -1;
    any_flag_ = false;
    sound_failed_ = false;
    if (!sound_path_.empty()) {
        delete_file(sound_path_);
        sound_path_.clear();
    }
    // Nothing of the previous recording may show through a load that does not set it.
    header_ = FileHeader{};
    recording_time_ = start_time_ = end_time_ = 0;
    start_ms_ = end_ms_ = 0;
}

const FrameRecord* VideoArchive::frame_record(int index) const
{
    return index >= 0 && index < frame_count_ ? slots_[static_cast<size_t>(index)].get() : nullptr;
}

const TimeIndexEntry* VideoArchive::chapter_row(int chapter) const
{
    if (chapter < 0 || chapter >= chapter_table_rows) {
        return nullptr;
    }
    static const std::vector<TimeIndexEntry> empty_row(static_cast<size_t>(chapter_row_size));
    const std::vector<TimeIndexEntry>& row = chapter_table_[static_cast<size_t>(chapter)];
    return row.empty() ? empty_row.data() : row.data();
}

void VideoArchive::set_valid_span()
{
    const ValidSpan span = find_valid_span(slots_, frame_count_);
    if (span.first >= 0) {
        start_time_ = slots_[static_cast<size_t>(span.first)]->time;
        start_ms_ = slots_[static_cast<size_t>(span.first)]->ms;
        end_time_ = slots_[static_cast<size_t>(span.last)]->time;
        end_ms_ = slots_[static_cast<size_t>(span.last)]->ms;
    }
}

std::unique_ptr<FrameRecord> VideoArchive::read_picture_file(File& file, const std::wstring& path)
{
    uint8_t peek[archive_layout::block_peek_size];
    if (!file.seek(0) || file.read(peek, sizeof peek) != sizeof peek) {
        throw VideoArchiveException(load_text(unreadable_text));
    }
    auto record = std::make_unique<FrameRecord>(decode_block_header(peek, 0));
    record->path = path;
    // A picture describes itself: its block stands in for the file header.
    header_.kind_code = picture_kind_code;
    header_.time = record->time;
    header_.g1 = record->g1;
    header_.g2 = record->g2;
    header_.speed = record->speed;
    header_.header_byte = static_cast<uint8_t>(record->aux_low);
    header_.flag = record->frame_flag;
    header_.detection_ms = 0;
    any_flag_ = record->frame_flag != 0;
    recording_time_ = header_.time;
    return record;
}

void VideoArchive::load_picture_file(const std::wstring& path)
{
    reset();
    file_ = File::open_shared_read(path);
    if (!file_.is_open()) {
        throw VideoArchiveException(load_text(picture_gone_text));
    }
    try {
        slots_[0] = read_picture_file(file_, path);
    } catch (const Exception& failure) {
        reset();
        throw Exception(failure.message());
    }
    frame_count_ = 1;
    set_valid_span();
}

bool VideoArchive::load_images(const std::wstring& folder)
{
    reset();
    const std::vector<std::wstring> names = find_files(folder, picture_pattern);
    if (names.empty()) {
        throw VideoArchiveException(load_text(unreadable_text));
    }
    bool more_than_allowed = false;
    for (const std::wstring& name : names) {
        if (!matches_data_pattern(picture_pattern, name)) {
            continue;
        }
        if (frame_count_ == max_pictures) {
            more_than_allowed = true;
            break;
        }
        const std::wstring path = join_path(folder, name);
        File picture = File::open_shared_read(path);
        if (!picture.is_open()) {
            continue;
        }
        try {
            slots_[static_cast<size_t>(frame_count_)] = read_picture_file(picture, path);
            ++frame_count_;
        } catch (const Exception&) {
            // A picture that cannot be read is left out; the others still show.
        }
    }
    // Insertion sort: pictures of equal time keep the order of the search.
    for (int i = 1; i < frame_count_; ++i) {
        for (int j = i; j > 0 && slots_[j - 1]->time > slots_[j]->time; --j) {
            std::swap(slots_[j - 1], slots_[j]);
        }
    }
    set_valid_span();
    return more_than_allowed;
}

void VideoArchive::open_picture_file(int index)
{
    const FrameRecord* record = frame_record(index);
    file_.close();
    if (record == nullptr) {
        throw VideoArchiveException(load_text(unreadable_text));
    }
    file_ = File::open_shared_read(record->path);
    if (!file_.is_open()) {
        throw VideoArchiveException(load_text(unreadable_text));
    }
}

const FrameRecord* VideoArchive::picture_record(int index) const
{
    const FrameRecord* record = frame_record(index);
    if (record == nullptr || record->payload_size < archive_layout::min_picture_payload ||
        record->payload_size > archive_layout::max_payload) {
        return nullptr;
    }
    return record;
}

bool VideoArchive::frame_jpeg(int index, std::vector<uint8_t>& jpeg)
{
    const FrameRecord* record = picture_record(index);
    if (!file_.is_open() || record == nullptr) {
        return false;
    }
    jpeg.resize(static_cast<size_t>(record->payload_size));
    if (!file_.seek(record->payload_position) || file_.read(jpeg.data(), jpeg.size()) != jpeg.size() ||
        !is_masked_picture(jpeg.data(), jpeg.size())) {
        return false;
    }
    unmask_picture(jpeg);
    return true;
}

bool VideoArchive::frame_jpeg_from(int index, const std::vector<uint8_t>& file_bytes, std::vector<uint8_t>& jpeg) const
{
    const FrameRecord* record = picture_record(index);
    if (record == nullptr || record->payload_position < 0 ||
        record->payload_position + record->payload_size > static_cast<int64_t>(file_bytes.size())) {
        return false;
    }
    const auto first = file_bytes.begin() + static_cast<std::ptrdiff_t>(record->payload_position);
    jpeg.assign(first, first + record->payload_size);
    if (!is_masked_picture(jpeg.data(), jpeg.size())) {
        return false;
    }
    unmask_picture(jpeg);
    return true;
}

std::unique_ptr<Image> VideoArchive::frame_picture(int index)
{
    std::vector<uint8_t> jpeg;
    if (!frame_jpeg(index, jpeg)) {
        return nullptr;
    }
    return decode_jpeg(jpeg.data(), jpeg.size());
}
