#pragma once
// An event recording: "Video.dvt" with about 30 s around the detection instant, and the
// "VideoInf.dat" the recorder writes beside it.
#include "samplecard/RecordingOptions.h"
#include "samplecard/WrittenArchive.h"

namespace samplecard {

WrittenArchive make_event(const EventOptions& options);

// "VideoInf.dat": the event file's header again, the block counts and the event file's size.
Bytes make_video_inf(const WrittenArchive& event);

} // namespace samplecard
