#pragma once
// The dashboard's view of the video player.
#include "panels/IDashboardSource.h"

class VideoPlayer;

class PlayerDashboardSource : public IDashboardSource {
public:
    explicit PlayerDashboardSource(VideoPlayer& player) : player_(player) {}

    const IVideoInfo* info() const override;
    int frame() const override;
    int data_type() const override;
    int64_t detection_time() const override;
    bool archive_flag() const override;

private:
    VideoPlayer& player_;
};
