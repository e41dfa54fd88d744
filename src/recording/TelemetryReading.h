#pragma once
// The telemetry of a recording read one archive file at a time, so that a progress window can
// show how far the reading is and stop it between two files: the event file, every chapter of a
// continuous recording in playing order on one time-line, or the pictures of an image folder
// (all in one step). Reads with an archive of its own.
#include <memory>
#include <string>
#include <vector>

#include "recording/TelemetryCsv.h"

class VideoArchive;

class TelemetryReading {
public:
    // Lists the files of the recording of `kind` (a DataType) in `folder`; reads none yet.
    TelemetryReading(int kind, const std::wstring& folder);
    ~TelemetryReading();
    TelemetryReading(const TelemetryReading&) = delete;
    TelemetryReading& operator=(const TelemetryReading&) = delete;

    // Reads the next file into the CSV; false once every file is read. Throws
    // VideoArchiveException when the file cannot be read, so that no part of a recording goes
    // missing unnoticed.
    bool step();
    bool finished() const { return next_ >= files_.size(); }
    int files_read() const { return static_cast<int>(next_); }
    int file_count() const { return static_cast<int>(files_.size()); }
    const TelemetryCsv& csv() const { return csv_; }

private:
    int kind_;
    std::vector<std::wstring> files_; // the folder itself for an image folder
    size_t next_ = 0;
    std::unique_ptr<VideoArchive> archive_;
    TelemetryCsv csv_;
};
