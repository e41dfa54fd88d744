#include "samplecard/FrameMaker.h"

#include "samplecard/RecorderClock.h"

#include <cstdio>

namespace samplecard {

FrameMaker::FrameMaker(const PictureFormat& format, uint64_t seed)
    : renderer_(format.width, format.height, seed), encoder_(format.quality)
{
}

Bytes FrameMaker::jpeg(const DriveSample& state, const CivilTime& time, int frame_number)
{
    SceneView view;
    view.distance_m = state.distance_m;
    view.bend = state.bend;
    view.heading = state.heading;
    view.pitch_g = state.g1;
    view.stamp_left = stamp_text(time);
    char text[32];
    std::snprintf(text, sizeof text, "#%04d", frame_number);
    view.stamp_right = text;
    std::snprintf(text, sizeof text, "%03dKM/H", speed_digits(state.speed_kmh));
    view.stamp_bottom = text;
    const std::vector<uint8_t>& rgb = renderer_.render(view);
    return encoder_.encode(rgb.data(), renderer_.width(), renderer_.height());
}

Bytes FrameMaker::payload(const DriveSample& state, const CivilTime& time, int frame_number, ModelCode model)
{
    return picture_payload(jpeg(state, time, frame_number), model);
}

void break_signature(Bytes& payload)
{
    if (payload.size() > 6) {
        payload[6] ^= 0x20; // "ORVANDE" becomes "ORVAnDE"
    }
}

} // namespace samplecard
