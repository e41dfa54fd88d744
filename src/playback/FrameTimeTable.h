#pragma once
// The recorded time and speed of every frame of the open continuous recording, by global frame
// (chapter x 600 + frame). The stopwatch times its laps and averages its speeds from it, so lap
// times follow the recorder's own clock, never the wall clock. The player fills it chapter by
// chapter as it loads them; it is cleared when a recording opens. Within a chapter the valid
// frames end before the first frame whose time is 0.
#include "base/FrameClock.h"

#include <cstdint>
#include <vector>

class VideoArchive;

struct FrameTime {
    int32_t ms = 0;    // block time on the recorder's clock; 0 = no frame
    int32_t speed = 0; // km/h
};

class FrameTimeTable {
public:
    FrameTimeTable();

    // Forgets every chapter.
    void clear();
    // Chapter `chapter`'s frames, frame by frame (at most 600; the rest of its row is cleared).
    // Chapters outside 0 ... 59 are ignored.
    void store_chapter(int chapter, const std::vector<FrameTime>& frames);
    // The same from a chapter file just loaded into `archive`: each frame's record, filler
    // copies included, so the table lines up with the frames the player shows.
    void store_chapter(int chapter, const VideoArchive& archive);

    // 0 for a frame outside the table or never stored.
    int time(int global_frame) const;
    int speed(int global_frame) const;
    static int chapter_of(int global_frame) { return global_frame / frames_per_chapter; }
    static int index_in_chapter(int global_frame) { return global_frame % frames_per_chapter; }
    // The frames of `chapter` before the first one whose time is 0.
    int valid_frames(int chapter) const;

private:
    const FrameTime* entry(int global_frame) const;

    std::vector<FrameTime> frames_;
};
