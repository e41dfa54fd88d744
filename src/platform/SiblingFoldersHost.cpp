// The host build reads the parent's directory. Every entry is listed, so folders whose names
// start with a dot (the host's hidden folders) are among them, as hidden folders are on Windows.
#include "platform/SiblingFolders.h"

#include "base/Exception.h"
#include "platform/FileSystem.h"
#include "base/Text.h"

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace {


struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

bool exists(const std::wstring& path)
{
    struct stat status {};
    return stat(to_narrow(path).c_str(), &status) == 0;
}

bool is_folder(const std::wstring& path)
{
    struct stat status {};
    return stat(to_narrow(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

std::vector<std::wstring> list_sibling_folders(const std::wstring& folder, const std::wstring& parent)
{
    if (!exists(folder) || !exists(parent)) {
        throw DataMissingException();
    }
    const std::unique_ptr<DIR, DirectoryCloser> directory(opendir(to_narrow(parent).c_str()));
    if (!directory) {
        throw IOException(load_text(texts::folder_not_enumerable));
    }
    std::vector<std::wstring> names;
    while (const dirent* entry = readdir(directory.get())) {
        const std::wstring name = to_wide(entry->d_name);
        if (name != L"." && name != L".." && is_folder(join_path(parent, name))) {
            names.push_back(name);
        }
    }
    return names;
}
