#pragma once
// The read-only view of a loaded recording that the player and the panels work with.
#include <cstdint>
#include <string>

#include "recording/FrameRecord.h"

class IVideoInfo {
public:
    virtual std::wstring short_code_text() const = 0;
    virtual std::wstring long_code_text() const = 0;
    // 0 none, 1 and 2 with a detection instant, 11 and 12 other event kinds (11 for pictures).
    virtual int kind_code() const = 0;
    virtual int detection_index() const = 0;                // -1 when none
    virtual const FrameRecord* detection_record() const = 0; // null when none
    virtual double header_g1() const = 0;
    virtual double header_g2() const = 0;
    virtual int frame_count() const = 0;
    virtual const FrameRecord* frame_record(int index) const = 0; // null outside the frames
    virtual bool is_incomplete() const = 0;
    virtual int64_t start_time() const = 0;
    virtual int64_t end_time() const = 0;
    virtual int64_t recording_time() const = 0;
    virtual ~IVideoInfo() = default;
};
