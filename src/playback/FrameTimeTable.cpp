#include "playback/FrameTimeTable.h"

#include "recording/VideoArchive.h"

#include <algorithm>

FrameTimeTable::FrameTimeTable() : frames_(static_cast<size_t>(max_chapters) * frames_per_chapter) {}

void FrameTimeTable::clear() { std::fill(frames_.begin(), frames_.end(), FrameTime{}); }

void FrameTimeTable::store_chapter(int chapter, const std::vector<FrameTime>& frames)
{
    if (chapter < 0 || chapter >= max_chapters) {
        return;
    }
    const auto row = frames_.begin() + static_cast<ptrdiff_t>(chapter) * frames_per_chapter;
    std::fill(row, row + frames_per_chapter, FrameTime{});
    std::copy_n(frames.begin(), std::min<size_t>(frames.size(), frames_per_chapter), row);
}

void FrameTimeTable::store_chapter(int chapter, const VideoArchive& archive)
{
    std::vector<FrameTime> frames(static_cast<size_t>(std::clamp(archive.frame_count(), 0, frames_per_chapter)));
    for (size_t i = 0; i < frames.size(); ++i) {
        if (const FrameRecord* record = archive.frame_record(static_cast<int>(i))) {
            frames[i] = {record->ms, record->speed};
        }
    }
    store_chapter(chapter, frames);
}

const FrameTime* FrameTimeTable::entry(int global_frame) const
{
    if (global_frame < 0 || global_frame >= static_cast<int>(frames_.size())) {
        return nullptr;
    }
    return &frames_[static_cast<size_t>(global_frame)];
}

int FrameTimeTable::time(int global_frame) const
{
    const FrameTime* found = entry(global_frame);
    return found != nullptr ? found->ms : 0;
}

int FrameTimeTable::speed(int global_frame) const
{
    const FrameTime* found = entry(global_frame);
    return found != nullptr ? found->speed : 0;
}

int FrameTimeTable::valid_frames(int chapter) const
{
    if (chapter < 0 || chapter >= max_chapters) {
        return 0;
    }
    int count = 0;
    while (count < frames_per_chapter && time(chapter * frames_per_chapter + count) != 0) {
        ++count;
    }
    return count;
}
