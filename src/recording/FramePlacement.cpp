#include "recording/FramePlacement.h"

#include "base/FrameClock.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int pre_roll_slot = 12 * event_frames_per_second;
constexpr int pre_roll_window = 3; // detection frames at 357, 358 and 359 move

std::unique_ptr<FrameRecord> filler_copy(const FrameRecord& source)
{
    auto copy = std::make_unique<FrameRecord>(source);
    copy->frame_flag = 0;
    copy->sound_length = 0;
    copy->block_type = 0;
    return copy;
}

} // namespace

int64_t frame_slot(int64_t offset_ms, FrameClock clock)
{
    const int rate = clock == FrameClock::event ? event_frames_per_second : continuous_frames_per_second;
    return offset_ms * rate / 1000;
}

int place_frames(std::vector<std::unique_ptr<FrameRecord>> records, FrameClock clock, FrameSlots& slots)
{
    if (records.empty()) {
        return 0;
    }
    const auto first = std::min_element(records.begin(), records.end(),
                                        [](const auto& a, const auto& b) { return a->ms < b->ms; });
    const int64_t t0 = (*first)->ms;
    int frame_count = 0;
    for (auto& record : records) {
        const int64_t slot = frame_slot(record->ms - t0, clock);
        if (slot >= max_frame_slots) {
            continue;
        }
        auto& taken = slots[static_cast<size_t>(slot)];
        if (!taken) {
            taken = std::move(record);
            frame_count = std::max(frame_count, static_cast<int>(slot) + 1);
        } else if (clock == FrameClock::event && taken->marker == 0) {
            taken->marker = record->marker;
        }
    }
    return frame_count;
}

int find_detection_frame(const FrameSlots& slots, int frame_count, int32_t detection_ms)
{
    int nearest = -1;
    int64_t nearest_distance = 0;
    for (int i = 0; i < frame_count; ++i) {
        const auto& record = slots[static_cast<size_t>(i)];
        if (!record) {
            continue;
        }
        const int64_t distance = std::llabs(static_cast<int64_t>(record->ms) - detection_ms);
        if (nearest < 0 || distance < nearest_distance) {
            nearest = i;
            nearest_distance = distance;
        }
    }
    return nearest;
}

void apply_pre_roll(FrameSlots& slots, int& frame_count, int& detection_index)
{
    if (detection_index < pre_roll_slot - pre_roll_window || detection_index >= pre_roll_slot) {
        return;
    }
    const int shift = pre_roll_slot - detection_index;
    if (frame_count + shift >= max_frame_slots) {
        return;
    }
    std::move_backward(slots.begin(), slots.begin() + frame_count, slots.begin() + frame_count + shift);
    frame_count += shift;
    detection_index += shift;
}

void fill_empty_slots(FrameSlots& slots, int frame_count)
{
    int first_taken = -1;
    for (int i = 0; i < frame_count; ++i) {
        auto& slot = slots[static_cast<size_t>(i)];
        if (slot) {
            first_taken = first_taken < 0 ? i : first_taken;
        } else if (first_taken >= 0) {
            slot = filler_copy(*slots[static_cast<size_t>(i - 1)]);
        }
    }
    for (int i = 0; i < first_taken; ++i) {
        slots[static_cast<size_t>(i)] = filler_copy(*slots[static_cast<size_t>(first_taken)]);
    }
}

std::vector<TimeIndexEntry> build_time_index(const FrameSlots& slots, int frame_count, FrameClock clock)
{
    std::vector<TimeIndexEntry> index;
    for (int i = 0; i < frame_count; ++i) {
        const auto& record = slots[static_cast<size_t>(i)];
        if (record) {
            index.push_back({record->ms, i, clock == FrameClock::chapter ? record->speed : 0});
        }
    }
    std::stable_sort(index.begin(), index.end(),
                     [](const TimeIndexEntry& a, const TimeIndexEntry& b) { return a.ms < b.ms; });
    return index;
}

ValidSpan find_valid_span(const FrameSlots& slots, int frame_count)
{
    ValidSpan span;
    for (int i = 0; i < frame_count; ++i) {
        const auto& record = slots[static_cast<size_t>(i)];
        if (record && record->time != 0) {
            span.first = span.first < 0 ? i : span.first;
            span.last = i;
        }
    }
    return span;
}
