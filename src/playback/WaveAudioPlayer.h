#pragma once
// Plays the recording's sound track through waveOut in two alternating 0.2 s buffers, scaled by
// the volume while copying. Its message-only window receives the buffer-done notifications;
// message 953 tells the owner when all output has stopped.
#include "playback/ISoundPlayer.h"
#include "playback/WaveData.h"
#include "ui/Window.h"

#include <windows.h>
#include <mmsystem.h>

#include <array>
#include <vector>

class WaveAudioPlayer : public Window, public ISoundPlayer {
public:
    // `owner` receives WM_SOUND_STOPPED. The object belongs to its window: destroy that window
    // to delete it.
    explicit WaveAudioPlayer(HWND owner);
    ~WaveAudioPlayer() override;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The data ran out (as opposed to a stop).
    virtual bool finished() const { return finished_; }

    void open(const std::wstring& path) override;
    void close() override;
    void play(int start_ms) override;
    void stop() override;
    void pause() override;
    void resume() override;
    int state() const override { return state_; }
    int byte_rate_x1000() const override { return byte_rate_x1000_; }
    int position() const override;
    int volume() const override { return volume_; }
    void set_volume(int volume) override;

    // The clock the video player runs on when there is no sound: when the last play began and
    // at which position (ms).
    DWORD start_time() const { return start_time_; }
    int start_offset() const { return start_offset_; }

private:
    static void CALLBACK wave_callback(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR);
    void on_buffer_done();
    // Starts the sound at byte `byte` of the samples (limited to them).
    void start_from(int64_t byte);
    int fill(int64_t from);
    // Bytes the device has played since the last start, within the samples; 0 without a device.
    int64_t played_bytes() const;
    // Queues a buffer of silence (0x80) when one is free: the device is kept fed after the
    // last samples until they have been played and it is stopped, because a device that runs
    // dry makes the system's sound path play a burst of 0x00 (a click) instead of silence.
    void feed_silence();
    int free_buffer() const;
    void require_open() const;
    void notify_stopped();
    // Opens the device for the sound's format, or keeps the one still open for it.
    void open_device(const std::wstring& path);
    void close_device();

    HWND owner_;
    HWAVEOUT device_ = nullptr;
    std::array<WAVEHDR, 2> headers_{};
    std::array<bool, 2> holds_silence_{};
    int next_buffer_ = 0;
    int outstanding_ = 0;
    int state_ = closed;
    int byte_rate_x1000_ = 0;
    int start_offset_ = 0;
    int volume_ = 16;
    int filled_volume_ = 16; // the volume the queued samples were scaled by
    int64_t start_byte_ = 0; // where in the samples the last start began
    int64_t last_write_start_ = 0;
    int64_t last_write_end_ = 0; // 0: nothing more is to be written
    WaveData wave_;
    int buffer_length_ = 0;
    std::vector<uint8_t> buffer_memory_;
    DWORD start_time_ = 0;
    bool finished_ = false;
};
