#pragma once
// One stopwatch measurement over a continuous recording: its start, up to 9 laps, and the stop
// that closes a last lap, with each lap's duration and average speed and the marks shown on the
// position bar. Times come from the recorded frame times (FrameTimeTable), in milliseconds;
// frames are global frame indices (chapter x 600 + frame), 0 meaning "no mark".
#include <array>

class FrameTimeTable;

class LapMeasurement {
public:
    static constexpr int max_laps = 10;
    // Laps that may be taken while measuring; the stop closes one more.
    static constexpr int max_laps_taken = 9;

    // Starts measuring at `global_frame` of `chapter`.
    void start(const FrameTimeTable& table, int chapter, int global_frame);
    // Ends the measurement there: closes a last lap and sets the total.
    void stop(const FrameTimeTable& table, int chapter, int global_frame);
    // Closes a lap there and starts the next; false (nothing changes) when not measuring or
    // 9 laps exist already.
    bool take_lap(const FrameTimeTable& table, int chapter, int global_frame);
    // Not measuring: forgets the laps, the total, the start time and every mark.
    void reset();
    // Forgets everything, the running lap's start and the measuring flag too.
    void clear();

    bool measuring() const { return measuring_; }
    int lap_count() const { return lap_count_; }
    bool has_laps() const { return lap_count_ > 0; }
    // Lap 1 ... lap_count(); 0 outside.
    int lap_duration(int lap) const;
    int lap_average(int lap) const;
    int total() const { return total_; }
    // The running time of the measurement at `global_frame`, never below 0.
    int elapsed(const FrameTimeTable& table, int global_frame) const;
    // The mean of the laps' average speeds (truncating); 0 without laps.
    int total_average() const;

    int start_mark() const { return start_mark_; }
    int end_mark() const { return end_mark_; }
    const std::array<int, max_laps>& lap_marks() const { return lap_marks_; }
    // The last lap mark, else the start mark (0 when neither exists).
    int last_mark() const;

    // What the buttons allow: start/stop only while playing, and not on a finished measurement
    // that still holds its laps; lap/reset not while measuring with 9 laps taken.
    bool start_stop_allowed(bool playing) const;
    bool lap_reset_allowed() const;

    // The average speed over the frames of a lap that began at frame `start_frame` of
    // `start_chapter` and ends at frame `end_frame` of `chapter` (integer sums, truncating);
    // `previous` when there are no frames to average.
    static int average_speed(const FrameTimeTable& table, int start_chapter, int start_frame, int chapter,
                             int end_frame, int previous);

private:
    int close_lap(const FrameTimeTable& table, int chapter, int global_frame);

    bool measuring_ = false;
    int lap_start_chapter_ = 0;
    int lap_start_frame_ = 0;
    int start_time_ = 0;
    int total_ = 0;
    int lap_count_ = 0;
    std::array<int, max_laps> durations_{};
    std::array<int, max_laps> averages_{};
    int start_mark_ = 0;
    int end_mark_ = 0;
    std::array<int, max_laps> lap_marks_{};
};
