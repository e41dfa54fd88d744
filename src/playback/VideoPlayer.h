#pragma once
// The playback engine and the picture window: opens one recording (an event recording, one
// picture, or one chapter of a continuous recording), runs the frame clock in step with the
// sound, asks the background loader for each frame's picture, moves from chapter to chapter,
// and tells its owner every time the state or the position changes.
#include "base/FrameClock.h"
#include "playback/FrameTimeTable.h"
#include "playback/GammaCorrection.h"
#include "playback/PictureView.h"
#include "playback/PlaybackClock.h"
#include "playback/TimerResolution.h"
#include "ui/Window.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class IPlayerOwner;
class IVideoInfo;
class Image;
class ImageLoader;
class WaveAudioPlayer;

class VideoPlayer : public Window {
public:
    enum State { nothing_open = 0, playing = 1, stopped = 2, paused = 3 };
    static constexpr int chapter_frames = frames_per_chapter;
    static constexpr int max_chapters = ::max_chapters;

    // A visible 640 x 480 child of `parent`; the object belongs to its window.
    VideoPlayer(HWND parent, IPlayerOwner& owner);
    ~VideoPlayer() override;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Set by the main window before opening: the DataType of what is opened, and in image mode
    // the file name of the picture.
    void set_opened_kind(int kind) { opened_kind_ = kind; }
    void set_picture_name(const std::wstring& name) { picture_name_ = name; }

    // Opens the event recording of `folder` (or, for the image kind, the named picture);
    // leaves the player stopped at frame 0 with the first picture requested.
    void open(const std::wstring& folder);
    // Lists the chapters of the continuous recording in `folder`; returns the total frames.
    int load_chapters(const std::wstring& folder);
    // Opens chapter `index` of the listed chapters; false when it cannot be read.
    bool open_chapter(int index);
    // Image mode: opens the named picture of `folder`.
    void open_picture(const std::wstring& folder);
    void close();

    void play(int frame);
    void stop();
    void pause();
    void resume();
    void seek(int frame);
    // A position over all chapters of a continuous recording (the position bar).
    void seek_total(int position, int then_play);

    int state() const { return state_; }
    int frame() const { return frame_; }
    int frame_period_ms() const { return frame_period_ms_; }
    double frame_period() const { return frame_period_; }
    const IVideoInfo* info() const { return info_.get(); }
    int chapter() const { return chapter_; }
    int chapter_count() const { return static_cast<int>(chapter_paths_.size()); }
    int total_frames() const { return total_frames_; }
    const std::wstring& folder() const { return folder_; }
    WaveAudioPlayer& sound() { return *sound_; }
    GammaCorrection& brightness() { return brightness_; }
    ImageLoader& loader() { return *loader_; }
    const Image* picture() const { return picture_.get(); }
    // The frame whose picture is shown; -1 before the first delivery.
    int shown_frame() const { return shown_frame_; }
    // The capture time of the detection frame, else of the first frame that has a record;
    // 0 when nothing is open.
    int64_t frame_time() const;
    // The recorded time and speed of every frame of the chapters loaded so far (continuous
    // mode), for the stopwatch. Cleared, with the loader's chapter index, when a recording opens.
    const FrameTimeTable& frame_table() const { return frame_table_; }
    void clear_frame_table();

private:
    void on_tick(WPARAM tag);
    void on_picture_delivered(WPARAM tag, Image* picture);
    void on_sound_end();
    void on_paint();
    void on_context_menu(int x, int y);
    void on_command(WPARAM wParam, LPARAM lParam);

    void schedule_next_tick();
    void advance();
    void end_of_data();
    void request_picture();
    void hand_to_loader(int frame);
    void ask_again_for_refused_picture();
    void notify();
    void repaint();
    void set_frame_rate();
    int clamp(int frame) const;
    bool image_mode() const;
    bool continuous_mode() const;
    void create_information();
    void open_sound();
    void end_stopwatch_if_last_chapter();
    void warn(HWND owner, const std::wstring& text);
    void warn_if_sound_failed();
    // Where the recording stands on the clock the frames follow (the sound, or without sound the
    // clock's own time base); nothing while no clock runs (stopped, paused, sound run out).
    std::optional<double> clock_position() const;
    void on_erase_background(HDC dc);

    IPlayerOwner& owner_;
    WaveAudioPlayer* sound_ = nullptr; // belongs to its own (message-only) window
    int state_ = nothing_open;
    int frame_ = 0;
    int frame_period_ms_ = 33;
    double frame_period_ = 1000.0 / event_frames_per_second;
    bool waiting_for_sound_end_ = false;
    int opened_kind_ = 0;
    std::wstring picture_name_;
    bool picture_arrived_ = false;
    bool first_picture_arrived_ = false;
    int chapter_ = 0;
    int total_frames_ = 0;
    std::vector<std::wstring> chapter_paths_;
    // The frame clock; without sound its own time base, set at every play and resume.
    PlaybackClock clock_;
    TimerResolution timer_resolution_;
    std::unique_ptr<IVideoInfo> info_;
    std::wstring folder_;
    std::unique_ptr<Image> picture_;
    int shown_frame_ = -1;
    // The frame whose picture the loader refused last (it was decoding), until it takes one.
    std::optional<int> refused_frame_;
    GammaCorrection brightness_;
    PictureView view_;
    std::unique_ptr<ImageLoader> loader_;
    bool reporting_missing_folder_ = false;
    FrameTimeTable frame_table_;
};
