#include "samplecard/CardFiles.h"

#include "base/Text.h"

#include <cerrno>
#include <stdexcept>
#include <sys/stat.h>

namespace samplecard {

std::wstring join_path(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || folder.back() == L'/') {
        return folder + name;
    }
    return folder + L"/" + name;
}

bool create_folder(const std::wstring& path)
{
    const std::string narrow = to_narrow(path);
    if (mkdir(narrow.c_str(), 0777) == 0) {
        return true;
    }
    struct stat info {};
    if (errno == EEXIST && stat(narrow.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return false;
    }
    throw std::runtime_error("cannot create the folder " + narrow);
}

void hide_folder(const std::wstring&) {}

bool file_exists(const std::wstring& path)
{
    struct stat info {};
    return stat(to_narrow(path).c_str(), &info) == 0;
}

} // namespace samplecard
