#pragma once
// Where an exported clip goes: a video file with one stream of the recorder's own JPEG pictures
// and one of its sound (8-bit mono PCM at 11025 samples per second). The export hands the
// pictures over in slot order and the sound in runs that keep up with them.
#include <cstddef>
#include <cstdint>

struct ClipFormat {
    int frames_per_second = 0;
    int width = 0; // of the pictures, as their frame headers state it
    int height = 0;
};

class IClipWriter {
public:
    virtual ~IClipWriter() = default;
    // Before the first picture. Failures throw an Exception with the finished message.
    virtual void start(const ClipFormat& format) = 0;
    // The next slot's picture, a whole JPEG file, stored as it is.
    virtual void add_picture(const uint8_t* jpeg, size_t size) = 0;
    // The next `count` samples of sound.
    virtual void add_sound(const uint8_t* samples, size_t count) = 0;
    // Completes the file; when that fails it throws, and no file is left.
    virtual void finish() = 0;
    // Ends without a file: whatever was written is removed.
    virtual void abandon() = 0;
};
