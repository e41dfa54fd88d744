#include "panels/InfoContent.h"

#include "panels/TimeText.h"
#include "recording/DataType.h"
#include "recording/IVideoInfo.h"

namespace {

constexpr int label_no_detection = 287;
constexpr int label_automatic = 288;
constexpr int label_manual = 286;
constexpr int label_image_recording = 430;
constexpr int label_continuous = 429;

} // namespace

int64_t InfoContent::shown_time(int data_type, int64_t recording_time, int64_t detection_time)
{
    switch (data_type) {
    case data_type_continuous:
        return recording_time;
    case data_type_image:
        return detection_time;
    default:
        return detection_time == 0 || detection_time == recording_time ? recording_time : detection_time;
    }
}

int InfoContent::label_image_of(int kind_code)
{
    switch (kind_code) {
    case 0:
        return label_no_detection;
    case 1:
        return label_automatic;
    case 2:
        return label_manual;
    case 11:
        return label_image_recording;
    case 12:
        return label_continuous;
    default:
        return 0;
    }
}

InfoContent InfoContent::of(const IVideoInfo* info, int data_type, int64_t detection_time, bool archive_flag)
{
    InfoContent content;
    if (info == nullptr) {
        return content;
    }
    if (info->is_incomplete()) {
        content.state = incomplete;
        return content;
    }
    content.state = complete;
    // A time of 0 is unknown in every mode and shows dashes rather than 1 January 1970.
    const int64_t time = shown_time(data_type, info->recording_time(), detection_time);
    content.date = time_text::date(time);
    content.clock = time_text::clock(time);
    content.label_image = label_image_of(info->kind_code());
    content.warning = archive_flag;
    return content;
}
