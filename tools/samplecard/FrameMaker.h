#pragma once
// Turns the car's state at a frame into the picture block's payload: the scene drawn and
// stamped, compressed in the recorder's JPEG layout, its lead replaced by model code and
// signature.
#include "samplecard/DriveStory.h"
#include "samplecard/RecorderJpeg.h"
#include "samplecard/RecordingOptions.h"
#include "samplecard/SceneRenderer.h"

namespace samplecard {

class FrameMaker {
public:
    FrameMaker(const PictureFormat& format, uint64_t seed);

    // The JPEG as the recorder compressed it (decodable as it is).
    Bytes jpeg(const DriveSample& state, const CivilTime& time, int frame_number);
    Bytes payload(const DriveSample& state, const CivilTime& time, int frame_number, ModelCode model);

private:
    SceneRenderer renderer_;
    RecorderJpegEncoder encoder_;
};

// Changes one letter of the signature in a picture payload, as a damaged card does.
void break_signature(Bytes& payload);

} // namespace samplecard
