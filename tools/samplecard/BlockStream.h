#pragma once
// The block stream that event and chapter files share: the information block, then the
// pictures at the frame rate with the sound blocks between them, each sound block written as
// soon as its period is over. Faults are applied on the way.
#include "samplecard/DriveStory.h"
#include "samplecard/EngineSound.h"
#include "samplecard/RecorderClock.h"
#include "samplecard/RecordingOptions.h"
#include "samplecard/WrittenArchive.h"

namespace samplecard {

struct StreamPlan {
    FileHeaderFields header;
    const DriveStory* story = nullptr;
    const RecorderClock* clock = nullptr;
    const EngineSound* sound = nullptr; // none: a recording without sound blocks
    SoundLayout sound_layout;
    PictureFormat picture;
    uint64_t seed = 1;       // capture jitter and foreign data
    uint64_t scene_seed = 1; // hills and light of the pictures: one per drive
    int fps = event_frames_per_second;
    int frames = 0;
    double story_ms = 0;            // story time of frame 0
    int64_t clock_ms = 0;           // offset of frame 0 on the recorder's clocks
    uint64_t pictures_before = 0;   // pictures the recorder took since power-on before frame 0
    uint64_t metres_before = 0;     // metres driven since power-on before frame 0
    std::optional<double> beep_ms;  // story time of the event buzzer
    Faults faults;
};

WrittenArchive write_block_stream(const StreamPlan& plan);

} // namespace samplecard
