#include "playback/ClipExport.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "image/JpegSize.h"
#include "playback/IClipWriter.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "playback/WaveData.h"
#include "recording/ChapterList.h"
#include "recording/RecordingFolder.h"
#include "recording/DataType.h"
#include "recording/WaveFile.h"

#include <algorithm>

namespace {

// Larger files (which no recorder writes) are read frame by frame.
constexpr int64_t whole_file_limit = 256 * 1024 * 1024;

VideoArchiveException unreadable() { return VideoArchiveException(load_text(texts::data_unreadable)); } // "該当データを読み込めません。"

} // namespace

std::unique_ptr<ClipExport> ClipExport::of_folder(const std::wstring& folder, int data_type)
{
    if (data_type == data_type_continuous) {
        const ChapterList list = list_chapter_files(folder);
        std::vector<std::wstring> paths(list.paths.begin(),
                                        list.paths.begin() + std::min<size_t>(list.paths.size(), max_chapters));
        return std::make_unique<ClipExport>(std::move(paths), true, list.total_frames);
    }
    std::wstring path = folder;
    if (!path.empty() && path.back() != path_separator) {
        path += path_separator;
    }
    return std::make_unique<ClipExport>(std::vector<std::wstring>{path + data_file_pattern(data_type_event)}, false, 0);
}

ClipExport::ClipExport(std::vector<std::wstring> files, bool chapters, int expected_frames)
    : files_(std::move(files)), chapters_(chapters),
      timeline_(chapters ? continuous_frames_per_second : event_frames_per_second), expected_(expected_frames),
      silence_(WaveFile::sample_rate, WaveFile::silence)
{
    if (files_.empty()) {
        throw unreadable();
    }
    // What the expectation counted for each file: a full chapter before the last, the rest for
    // the last one (an event file's frames are not known before it is read).
    estimates_.assign(files_.size(), chapters_ ? frames_per_chapter : 0);
    estimates_.back() = std::max(expected_frames - frames_per_chapter * static_cast<int>(files_.size() - 1), 0);
    load_part();
    first_time_ = archive_.start_time() != 0 ? archive_.start_time() : archive_.recording_time();
}

int64_t ClipExport::slots_expected() const
{
    return std::max(expected_, written_);
}

void ClipExport::load_part()
{
    // The whole file at once (a recorder's file is some megabytes): the archive reads its blocks
    // and the pictures are taken from the same bytes, so the file is read once.
    const std::wstring& path = files_[part_];
    {
        // Resized from the last file's bytes, not from nothing: chapters are alike in size, and
        // only what grows is zeroed before the read overwrites it.
        File file = File::open_shared_read(path);
        if (file.size() > 0 && file.size() <= whole_file_limit) {
            part_bytes_.resize(static_cast<size_t>(file.size()));
            part_bytes_.resize(file.read(part_bytes_.data(), part_bytes_.size()));
        } else {
            part_bytes_.clear();
        }
    }
    if (part_bytes_.empty()) {
        chapters_ ? archive_.load_chapter(path) : archive_.load_event(path); // read frame by frame
    } else {
        chapters_ ? archive_.load_chapter_bytes(part_bytes_) : archive_.load_event_bytes(part_bytes_);
    }
    part_sound_.clear();
    if (!archive_.sound_path().empty()) {
        try {
            part_sound_ = WaveData::read(archive_.sound_path()).samples();
        } catch (const Exception&) {
            // the file then plays without sound, and so does the clip
        }
    }
    part_frames_ = archive_.frame_count();
    part_slots_ = timeline_.part_slots(part_frames_, static_cast<int64_t>(part_sound_.size()));
    part_slot_ = 0;
    part_start_ = written_;
    // Now that the file is read, its own length replaces what the expectation counted for it.
    expected_ += part_slots_ - estimates_[part_];
    part_loaded_ = true;
}

bool ClipExport::step(IClipWriter& writer)
{
    if (finished_) {
        return false;
    }
    if (part_ >= files_.size()) {
        if (!started_) {
            throw unreadable(); // not one picture in the whole recording
        }
        writer.finish();
        finished_ = true;
        return false;
    }
    if (!part_loaded_) {
        load_part();
    }
    const int64_t end = std::min(part_slots_, part_slot_ + timeline_.frames_per_second());
    for (; part_slot_ < end; ++part_slot_) {
        write_slot(writer, ClipTimeline::frame_of_slot(part_slot_, part_frames_));
    }
    write_sound_until(writer, timeline_.samples_before(written_));
    if (part_slot_ >= part_slots_) {
        ++part_;
        part_loaded_ = false;
    }
    return true;
}

bool ClipExport::read_frame(int frame)
{
    return part_bytes_.empty() ? archive_.frame_jpeg(frame, read_) : archive_.frame_jpeg_from(frame, part_bytes_, read_);
}

void ClipExport::find_first_picture(int from)
{
    for (int frame = from; frame < part_frames_; ++frame) {
        if (read_frame(frame)) {
            held_.swap(read_);
            return;
        }
    }
}

void ClipExport::write_slot(IClipWriter& writer, int frame)
{
    if (part_frames_ > 0 && read_frame(frame)) {
        held_.swap(read_);
    } else if (held_.empty()) {
        // Slots before the first readable picture show that picture, as filling does.
        find_first_picture(frame + 1);
    }
    if (held_.empty()) {
        return; // nothing readable yet: the slot waits for the part's first picture
    }
    if (!started_) {
        const std::optional<JpegSize> size = jpeg_size(held_.data(), held_.size());
        if (!size) {
            throw unreadable();
        }
        writer.start(ClipFormat{timeline_.frames_per_second(), size->width, size->height});
        started_ = true;
    }
    writer.add_picture(held_.data(), held_.size());
    ++written_;
}

void ClipExport::write_sound_until(IClipWriter& writer, int64_t sample)
{
    if (!started_) {
        return;
    }
    const int64_t part_first = timeline_.samples_before(part_start_);
    while (samples_written_ < sample) {
        const int64_t local = samples_written_ - part_first;
        const int64_t available = static_cast<int64_t>(part_sound_.size()) - local;
        const int64_t wanted = sample - samples_written_;
        if (local >= 0 && available > 0) {
            const int64_t count = std::min(wanted, available);
            writer.add_sound(part_sound_.data() + local, static_cast<size_t>(count));
            samples_written_ += count;
        } else {
            const int64_t count = std::min<int64_t>(wanted, static_cast<int64_t>(silence_.size()));
            writer.add_sound(silence_.data(), static_cast<size_t>(count));
            samples_written_ += count;
        }
    }
}
