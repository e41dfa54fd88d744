#include "recording/ChapterList.h"

#include "base/Exception.h"
#include "platform/FileSearch.h"
#include "base/Text.h"
#include "platform/TextOrder.h"
#include "recording/DataPattern.h"
#include "recording/DataType.h"
#include "recording/RecordingFolder.h"
#include "recording/VideoArchive.h"

#include <algorithm>
#include <utility>

namespace {


[[noreturn]] void fail() { throw VideoArchiveException(load_text(texts::data_unreadable)); }

} // namespace

ChapterList list_chapter_files(const std::wstring& folder)
{
    const std::wstring pattern = data_file_pattern(data_type_continuous);
    const std::vector<std::wstring> names = find_files(folder, pattern);
    if (names.empty()) {
        fail();
    }
    std::vector<std::wstring> paths;
    for (const std::wstring& name : names) {
        if (matches_data_pattern(pattern, name)) {
            paths.push_back(join_path(folder, name));
        }
    }
    if (paths.empty()) {
        fail();
    }
    // Stable, like an insertion sort: paths the system calls equal keep the search's order.
    // The locale's order puts VIDEO0001.DMV, video0002.dmv and Video0003.dmv in that order.
    std::stable_sort(paths.begin(), paths.end(),
                     [](const std::wstring& a, const std::wstring& b) { return compare_text(a, b) < 0; });
    ChapterList list;
    list.more_than_60 = paths.size() > static_cast<size_t>(max_chapters);
    paths.resize(std::min(paths.size(), static_cast<size_t>(max_chapters)));
    list.paths = std::move(paths);
    const int full_chapters = static_cast<int>(list.paths.size()) - 1;
    list.total_frames = full_chapters * frames_per_chapter + VideoArchive::count_chapter_frames(list.paths.back());
    return list;
}
