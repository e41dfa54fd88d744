#pragma once
// The chapter files of a continuous recording in playing order.
#include "base/FrameClock.h"

#include <string>
#include <vector>

struct ChapterList {
    std::vector<std::wstring> paths; // full paths, at most 60, in the system's text order
    bool more_than_60 = false;       // more chapters were there; the rest are left out
    int total_frames = 0;            // 600 for each chapter before the last, and the last one's own
};

// The chapters ("Video" + four digits + ".dmv", any case) of `folder`. Throws
// VideoArchiveException ("該当データを読み込めません。") when there are none, or when the last
// chapter cannot be read for its frame count.
ChapterList list_chapter_files(const std::wstring& folder);
