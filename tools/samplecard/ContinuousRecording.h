#pragma once
// A continuous recording: one drive cut into one-minute chapter files, "Video0001.dmv" on.
// The chapters are made one at a time, so a long recording never sits in memory whole.
#include "base/FrameClock.h"
#include "samplecard/DriveStory.h"
#include "samplecard/EngineSound.h"
#include "samplecard/RecorderClock.h"
#include "samplecard/RecordingOptions.h"
#include "samplecard/WrittenArchive.h"

#include <string>

namespace samplecard {

class ContinuousRecording {
public:
    explicit ContinuousRecording(const ContinuousOptions& options);

    int chapter_count() const { return options_.chapters; }
    int chapter_frames(int index) const;
    // The chapter file `index` (0 is the first).
    WrittenArchive chapter(int index) const;
    // "Video0001.dmv" for index 0.
    static std::wstring chapter_name(int index);

    static constexpr int fps = continuous_frames_per_second;
    static constexpr int chapter_ms = 60000;

private:
    ContinuousOptions options_;
    Random random_;
    RecorderClock clock_;
    DriveStory story_;
    EngineSound sound_;
};

} // namespace samplecard
