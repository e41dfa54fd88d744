#include "recording/FolderPath.h"

#include "platform/FileSystem.h"

#include <algorithm>

namespace {

constexpr size_t parent_copy_length = 259;   // MAX_PATH less the terminator
constexpr size_t component_copy_length = 258;

size_t end_without_separators(const std::wstring& path, size_t end)
{
    while (end > 0 && path[end - 1] == path_separator) {
        --end;
    }
    return end;
}

} // namespace

std::wstring parent_folder(const std::wstring& path)
{
    std::wstring copy = path.substr(0, parent_copy_length);
    copy.resize(end_without_separators(copy, copy.size()));
    const size_t last = copy.rfind(path_separator);
    if (last == std::wstring::npos) {
        return copy;
    }
    // "E:\DATA\\0001" has its parent at "E:\DATA": the doubled separator goes too.
    copy.resize(end_without_separators(copy, last));
    return copy;
}

std::wstring last_path_component(const std::wstring& path)
{
    const size_t end = end_without_separators(path, path.size());
    size_t start = end;
    while (start > 0 && path[start - 1] != path_separator) {
        --start;
    }
    return path.substr(start, std::min(end - start, component_copy_length));
}
