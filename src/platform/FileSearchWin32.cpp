#include "platform/FileSearch.h"

#include "platform/FileSystem.h"
#include "platform/SystemHandles.h"

#include <windows.h>

std::vector<std::wstring> find_files(const std::wstring& folder, const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    const std::wstring search = join_path(folder, pattern);
    if (search.size() >= MAX_PATH) {
        return names;
    }
    WIN32_FIND_DATAW found;
    const FindHandle handle(FindFirstFileW(search.c_str(), &found));
    if (!handle) {
        return names;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(handle.get(), &found));
    return names;
}

