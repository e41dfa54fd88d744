#pragma once
// The recorder's frame clock: event and image recordings run at 30 frames a second, continuous
// recordings at 10, cut into one-minute chapters, of which the viewer plays at most 60.

constexpr int event_frames_per_second = 30;
constexpr int continuous_frames_per_second = 10;
constexpr int frames_per_chapter = 600;
constexpr int max_chapters = 60;
