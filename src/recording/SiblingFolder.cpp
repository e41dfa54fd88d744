#include "recording/SiblingFolder.h"

#include "base/Exception.h"
#include "platform/FileSystem.h"
#include "platform/SiblingFolders.h"
#include "base/Text.h"
#include "platform/TextOrder.h"
#include "recording/FolderPath.h"

#include <algorithm>

void order_sibling_names(std::vector<std::wstring>& names)
{
    std::stable_sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return compare_text_without_case(a, b) < 0;
    });
}

std::wstring neighbour_name(const std::vector<std::wstring>& names, const std::wstring& name, bool previous)
{
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        throw Exception(load_text(texts::folder_position_unknown));
    }
    if (previous) {
        if (found == names.begin()) {
            throw Exception(load_text(texts::no_previous_recording));
        }
        return *(found - 1);
    }
    if (found + 1 == names.end()) {
        throw Exception(load_text(texts::no_next_recording));
    }
    return *(found + 1);
}

std::wstring sibling_folder(const std::wstring& path, bool previous)
{
    const std::wstring name = last_path_component(path);
    const std::wstring parent = parent_folder(path) + path_separator;
    std::vector<std::wstring> names;
    try {
        names = list_sibling_folders(path, parent);
    } catch (const IOException& failure) {
        throw Exception(failure.message());
    }
    order_sibling_names(names);
    return parent + neighbour_name(names, name, previous);
}
