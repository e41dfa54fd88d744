#pragma once
// Sound output as the video player sees it.
#include <string>

class ISoundPlayer {
public:
    enum State { closed = 0, playing = 1, stopped = 2, paused = 3 };

    virtual ~ISoundPlayer() = default;
    // Closes what is open, then loads and prepares the file.
    virtual void open(const std::wstring& path) = 0;
    virtual void close() = 0;
    // Plays from `start_ms`; records the start time and offset even when nothing is open.
    virtual void play(int start_ms) = 0;
    virtual void stop() = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual int state() const = 0;
    // Block align x samples per second x 1000.
    virtual int byte_rate_x1000() const = 0;
    // The playing position in milliseconds.
    virtual int position() const = 0;
    virtual int volume() const = 0;
    // Limited to 0 ... 16; 16 plays the samples unchanged.
    virtual void set_volume(int volume) = 0;
};
