#pragma once
// The archive files of a recording folder read again for what the viewer saves out of them: the
// telemetry of the whole recording and the JPEG file of one frame. Each call reads with an
// archive of its own, so the player's loader is never disturbed.
#include <cstdint>
#include <string>
#include <vector>

#include "recording/TelemetryCsv.h"

class RecordingFiles {
public:
    // The archive file that holds chapter `chapter` of the recording of `kind` (a DataType) in
    // `folder`: "Video.dvt" of an event folder, the chapter's file of a continuous one in
    // playing order. Throws VideoArchiveException when there is no such chapter.
    static std::wstring archive_file(int kind, const std::wstring& folder, int chapter);

    // The telemetry of the recording of `kind` in `folder` as CSV (TelemetryCsv): the event
    // file, every chapter of a continuous recording in playing order on one time-line (at most
    // 60), or every picture of an image folder. Throws VideoArchiveException when any of them
    // cannot be read, so that no part of a recording goes missing unnoticed.
    static TelemetryCsv telemetry_csv(int kind, const std::wstring& folder);

    // The JPEG file of frame `index` of the archive file at `path` (an event, chapter or picture
    // file as `kind` says) as the recorder stored it; false when that frame has no picture.
    // Throws VideoArchiveException when the file cannot be read.
    static bool frame_jpeg(int kind, const std::wstring& path, int index, std::vector<uint8_t>& jpeg);
};
