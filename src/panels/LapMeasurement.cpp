#include "panels/LapMeasurement.h"

#include "playback/FrameTimeTable.h"

#include <algorithm>

namespace {

int global(int chapter, int frame) { return chapter * frames_per_chapter + frame; }

} // namespace

void LapMeasurement::start(const FrameTimeTable& table, int chapter, int global_frame)
{
    start_mark_ = global_frame;
    lap_start_chapter_ = chapter;
    lap_start_frame_ = FrameTimeTable::index_in_chapter(global_frame);
    start_time_ = table.time(global_frame);
    measuring_ = true;
}

int LapMeasurement::close_lap(const FrameTimeTable& table, int chapter, int global_frame)
{
    const int lap = lap_count_++;
    const int began = table.time(global(lap_start_chapter_, lap_start_frame_));
    durations_[static_cast<size_t>(lap)] = std::max(0, table.time(global_frame) - began);
    averages_[static_cast<size_t>(lap)] =
        average_speed(table, lap_start_chapter_, lap_start_frame_, chapter,
                      FrameTimeTable::index_in_chapter(global_frame), averages_[static_cast<size_t>(lap)]);
    return lap;
}

void LapMeasurement::stop(const FrameTimeTable& table, int chapter, int global_frame)
{
    if (!measuring_ || lap_count_ >= max_laps) {
        return;
    }
    close_lap(table, chapter, global_frame);
    end_mark_ = global_frame;
    total_ = std::max(0, table.time(global_frame) - start_time_);
    measuring_ = false;
}

bool LapMeasurement::take_lap(const FrameTimeTable& table, int chapter, int global_frame)
{
    if (!measuring_ || lap_count_ >= max_laps_taken) {
        return false;
    }
    const int lap = close_lap(table, chapter, global_frame);
    lap_marks_[static_cast<size_t>(lap)] = global_frame;
    lap_start_chapter_ = chapter;
    lap_start_frame_ = FrameTimeTable::index_in_chapter(global_frame);
    return true;
}

void LapMeasurement::reset()
{
    durations_.fill(0);
    averages_.fill(0);
    total_ = 0;
    lap_count_ = 0;
    start_time_ = 0;
    start_mark_ = 0;
    end_mark_ = 0;
    lap_marks_.fill(0);
}

void LapMeasurement::clear() { *this = LapMeasurement(); }

int LapMeasurement::lap_duration(int lap) const
{
    return lap >= 1 && lap <= lap_count_ ? durations_[static_cast<size_t>(lap - 1)] : 0;
}

int LapMeasurement::lap_average(int lap) const
{
    return lap >= 1 && lap <= lap_count_ ? averages_[static_cast<size_t>(lap - 1)] : 0;
}

int LapMeasurement::elapsed(const FrameTimeTable& table, int global_frame) const
{
    return std::max(0, table.time(global_frame) - start_time_);
}

int LapMeasurement::total_average() const
{
    if (lap_count_ == 0) {
        return 0;
    }
    int sum = 0;
    for (int lap = 0; lap < lap_count_; ++lap) {
        sum += averages_[static_cast<size_t>(lap)];
    }
    return sum / lap_count_;
}

int LapMeasurement::last_mark() const
{
    for (int lap = max_laps - 1; lap >= 0; --lap) {
        if (lap_marks_[static_cast<size_t>(lap)] != 0) {
            return lap_marks_[static_cast<size_t>(lap)];
        }
    }
    return start_mark_;
}

bool LapMeasurement::start_stop_allowed(bool playing) const { return playing && (measuring_ || lap_count_ == 0); }

bool LapMeasurement::lap_reset_allowed() const { return !(measuring_ && lap_count_ >= max_laps_taken); }

int LapMeasurement::average_speed(const FrameTimeTable& table, int start_chapter, int start_frame, int chapter,
                                  int end_frame, int previous)
{
    long long sum = 0;
    int count = 0;
    const auto add = [&](int from_chapter, int first, int last) { // frames first ... last - 1
        for (int frame = first; frame < last; ++frame) {
            sum += table.speed(global(from_chapter, frame));
            ++count;
        }
    };
    if (start_chapter == chapter) {
        add(chapter, start_frame + 1, end_frame + 1);
    } else if (start_chapter < chapter) {
        // The lap ran on through the ends of its first chapter and of every chapter between.
        add(start_chapter, start_frame + 1, table.valid_frames(start_chapter));
        for (int between = start_chapter + 1; between < chapter; ++between) {
            add(between, 0, table.valid_frames(between));
        }
        add(chapter, 0, end_frame);
    }
    return count > 0 ? static_cast<int>(sum / count) : previous;
}
