#pragma once
// What the dashboard panels read of the playback: the open recording's information, the frame
// on screen, the display mode, the detection time and the archive's flag.
#include <cstdint>

class IVideoInfo;

class IDashboardSource {
public:
    virtual ~IDashboardSource() = default;
    // Null when nothing is open.
    virtual const IVideoInfo* info() const = 0;
    // The current frame of the open recording (of the open chapter of a continuous one).
    virtual int frame() const = 0;
    // The DataType of the display mode.
    virtual int data_type() const = 0;
    // The capture time of the detection frame, else of the first frame with a record; 0 when
    // none is known.
    virtual int64_t detection_time() const = 0;
    // Whether the open archive carries the recorder's flag (the info panel's warning icon).
    virtual bool archive_flag() const = 0;
};
