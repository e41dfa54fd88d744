#pragma once
// The caption under a thumbnail: the picture's capture time in local time.
#include <cstdint>
#include <string>

// "2026/12/08 09:15:02"; "----/--/-- --:--:--" when the time is 0 (none known) or cannot be
// shown as a local date.
std::wstring thumbnail_caption(int64_t time);
