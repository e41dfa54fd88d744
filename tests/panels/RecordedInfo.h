#pragma once
// A recording's information made by hand: the frame records a test wants, with gaps where a
// frame has no record, and the header values set directly.
#include "recording/IVideoInfo.h"

#include <memory>
#include <optional>
#include <vector>

class RecordedInfo : public IVideoInfo {
public:
    std::vector<std::optional<FrameRecord>> frames;
    int kind = 1;
    int detection = -1;
    bool incomplete = false;
    int64_t start = 0;
    int64_t end = 0;
    int64_t recorded = 0;

    // `count` frames with records of the given G magnitude (all along g1) and speed.
    static std::unique_ptr<RecordedInfo> steady(int count, double g, int speed)
    {
        auto info = std::make_unique<RecordedInfo>();
        for (int i = 0; i < count; ++i) {
            FrameRecord record;
            record.g1 = g;
            record.g_magnitude = g;
            record.speed = speed;
            info->frames.push_back(record);
        }
        return info;
    }
    FrameRecord& at(int index) { return *frames[static_cast<size_t>(index)]; }

    std::wstring short_code_text() const override { return L""; }
    std::wstring long_code_text() const override { return L""; }
    int kind_code() const override { return kind; }
    int detection_index() const override { return detection; }
    const FrameRecord* detection_record() const override { return frame_record(detection); }
    double header_g1() const override { return 0; }
    double header_g2() const override { return 0; }
    int frame_count() const override { return static_cast<int>(frames.size()); }
    const FrameRecord* frame_record(int index) const override
    {
        if (index < 0 || index >= frame_count() || !frames[static_cast<size_t>(index)]) {
            return nullptr;
        }
        return &*frames[static_cast<size_t>(index)];
    }
    bool is_incomplete() const override { return incomplete; }
    int64_t start_time() const override { return start; }
    int64_t end_time() const override { return end; }
    int64_t recording_time() const override { return recorded; }
};
