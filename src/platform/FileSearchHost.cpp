#include "platform/FileSearch.h"

#include "platform/FileSystem.h"

#include "base/Text.h"
#include "base/Wildcard.h"

#include <dirent.h>

#include <memory>

namespace {

constexpr size_t max_path = 260; // the longest search text the Windows program accepts

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

} // namespace

std::vector<std::wstring> find_files(const std::wstring& folder, const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    if (join_path(folder, pattern).size() >= max_path) {
        return names;
    }
    const std::unique_ptr<DIR, DirectoryCloser> directory(opendir(to_narrow(folder).c_str()));
    if (!directory) {
        return names;
    }
    while (const dirent* entry = readdir(directory.get())) {
        const std::wstring name = to_wide(entry->d_name);
        if (name != L"." && name != L".." && wildcard_match(pattern, name)) {
            names.push_back(name);
        }
    }
    return names;
}

