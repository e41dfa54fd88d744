#pragma once
// The recording information of a loaded VideoArchive: a thin view that copies nothing. The
// archive must outlive it; its records stay valid until the archive is reset or reloaded.
#include "recording/IVideoInfo.h"

class VideoArchive;

class VideoInfo07 : public IVideoInfo {
public:
    explicit VideoInfo07(const VideoArchive& archive) : archive_(&archive) {}

    std::wstring short_code_text() const override;
    std::wstring long_code_text() const override;
    int kind_code() const override;
    int detection_index() const override;
    const FrameRecord* detection_record() const override;
    double header_g1() const override;
    double header_g2() const override;
    int frame_count() const override;
    const FrameRecord* frame_record(int index) const override;
    bool is_incomplete() const override { return false; }
    int64_t start_time() const override;
    int64_t end_time() const override;
    int64_t recording_time() const override;

private:
    const VideoArchive* archive_;
};
