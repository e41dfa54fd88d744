#pragma once
// What to write: the recording's shape and the faults a reader must survive. Every field has
// a sound default; a default-constructed options object writes a plain, healthy recording.
#include "base/FrameClock.h"
#include "samplecard/ArchiveLayout.h"

#include <map>
#include <optional>
#include <set>

namespace samplecard {

// Damage as cards show it after crashes and power cuts. Frame numbers count the recorder's
// frames from 0; numbers beyond the recording are ignored.
struct Faults {
    std::set<int> missing_frames;        // dropped by the recorder: no block at all
    std::set<int> duplicate_frames;      // written twice, the copy right after the first
    std::set<int> broken_signatures;     // the picture block's signature has one letter changed
    std::set<int> foreign_blocks_before; // a block of another type comes before the frame's block
    uint8_t foreign_type = 0x3C;         // the type byte of those blocks
    std::set<int> flagged_frames;        // frame flag set (bit 0 of block byte 61)
    int64_t truncate_to = -1;            // the file cut to this many bytes; -1 keeps it whole
    int duplicate_delay_ms = 10;         // how much later the copy of a duplicate frame comes
    bool omit_information_block = false; // the first picture block is then an ordinary frame
    ModelCode information_model{};       // the model code in the information block's payload
};

// How the recorder cuts its sound into blocks. By default one block of 2205 samples every
// 200 ms, so that the blocks join exactly on the millisecond grid.
struct SoundLayout {
    int period_ms = 200; // one block every this many ms; held within 10 ... 2000
    int samples = -1;    // samples per block; -1: exactly the period's worth (fewer leave gaps,
                         // more overlap the next block); held within 0 ... 60000
};

struct PictureFormat {
    int width = 640;
    int height = 480;
    int quality = 70; // libjpeg quality 1 ... 100; width and height are held within 16 ... 4096
};

struct EventOptions {
    uint64_t seed = 1;
    int frames = 900;           // frames at 30 per second (about 30 s); held within 0 ... 20000
    // The frame at the detection instant (12 s into the recording). It may lie beyond the last
    // frame: the instant then falls after the recording ends.
    int detection_frame = 360;
    uint8_t kind = kind_sensor_event;
    uint8_t header_byte = 0;
    bool header_flag = false;
    bool sound = true;
    SoundLayout sound_layout;
    std::optional<CivilTime> start; // the first frame's date and time; from the seed when absent
    PictureFormat picture;
    Faults faults;
};

struct ContinuousOptions {
    uint64_t seed = 1;
    int chapters = 3;              // held within 0 ... 99
    int chapter_frames = frames_per_chapter; // frames in each chapter (one minute), held within
                                             // 0 ... 1200
    int last_chapter_frames = -1;  // the last chapter's frames when it ended early; -1: as the others
    bool sound = true;
    SoundLayout sound_layout;
    std::optional<CivilTime> start;
    PictureFormat picture;
    std::map<int, Faults> faults;  // by chapter index (0 is "Video0001.dmv")
};

struct PictureOptions {
    uint64_t seed = 1;
    std::optional<CivilTime> time; // the capture time; from the seed when absent
    bool invalid_date = false;     // stamp 30 February (the recorder's clock was never set)
    int group = 1;
    int number = 1;
    PictureFormat picture;
    bool broken_signature = false;
    int64_t truncate_to = -1;
    ModelCode model{};
};

} // namespace samplecard
