#pragma once
// Puts the frames of an event or chapter file on the fixed frame clock: the slot of each frame,
// the detection frame, the event pre-roll, the filling of missing frames and the time index.
#include <cstdint>
#include <memory>
#include <vector>

#include "recording/FrameRecord.h"

constexpr int max_frame_slots = 900;
using FrameSlots = std::vector<std::unique_ptr<FrameRecord>>; // max_frame_slots entries

enum class FrameClock {
    event,   // 30 frames per second
    chapter, // 10 frames per second
};

// The slot of a frame `offset_ms` after the first one: exact integer arithmetic, so that a
// frame exactly 100 ms after the first lands in slot 3 of an event file, not in slot 2.
int64_t frame_slot(int64_t offset_ms, FrameClock clock);

// Places the records (in the order read) into `slots`; a record whose slot is above 899 is
// dropped, a taken slot keeps its first record. Returns the frame count.
int place_frames(std::vector<std::unique_ptr<FrameRecord>> records, FrameClock clock, FrameSlots& slots);

// The taken slot whose block time is nearest to `detection_ms` (the first of equals), or -1.
int find_detection_frame(const FrameSlots& slots, int frame_count, int32_t detection_ms);

// A detection frame at slot 357 ... 359 moves to slot 360, 12 s into the recording, when the
// recording still fits; the slots before it move along and leading slots are freed.
void apply_pre_roll(FrameSlots& slots, int& frame_count, int& detection_index);

// Gives every empty slot a copy of the nearest taken slot before it, leading ones a copy of the
// first taken slot. Copies carry no frame flag, sound length or block type.
void fill_empty_slots(FrameSlots& slots, int frame_count);

// One entry per slot, ordered by block time (stable); the third value is the speed for chapters.
std::vector<TimeIndexEntry> build_time_index(const FrameSlots& slots, int frame_count, FrameClock clock);

// The slots of the first and the last frame with a valid capture time, or -1 when there is none.
struct ValidSpan {
    int first = -1;
    int last = -1;
};
ValidSpan find_valid_span(const FrameSlots& slots, int frame_count);
