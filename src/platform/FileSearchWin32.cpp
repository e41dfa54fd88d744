#include "platform/FileSearch.h"

#include "platform/FileSystem.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace {

struct SearchCloser {
    void operator()(HANDLE search) const { FindClose(search); }
};
using SearchHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, SearchCloser>;

} // namespace

std::vector<std::wstring> find_files(const std::wstring& folder, const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    const std::wstring search = join_path(folder, pattern);
    if (search.size() >= MAX_PATH) {
        return names;
    }
    WIN32_FIND_DATAW found;
    const HANDLE first = FindFirstFileW(search.c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) {
        return names;
    }
    const SearchHandle handle(first);
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(handle.get(), &found));
    return names;
}

