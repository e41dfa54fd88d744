#include "panels/PlayerDashboardSource.h"

#include "playback/ImageLoader.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"

const IVideoInfo* PlayerDashboardSource::info() const { return player_.info(); }

int PlayerDashboardSource::frame() const { return player_.frame(); }

int PlayerDashboardSource::data_type() const { return current_data_type(); }

int64_t PlayerDashboardSource::detection_time() const { return player_.frame_time(); }

bool PlayerDashboardSource::archive_flag() const
{
    return player_.info() != nullptr && player_.loader().archive().any_flag();
}
