#include "samplecard/CardFiles.h"

#include "base/Utf8.h"

#include <windows.h>

#include <stdexcept>

namespace samplecard {

std::wstring join_path(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') {
        return folder + name;
    }
    return folder + L"\\" + name;
}

bool create_folder(const std::wstring& path)
{
    if (CreateDirectoryW(path.c_str(), nullptr)) {
        return true;
    }
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    throw std::runtime_error("cannot create the folder " + wide_to_utf8(path));
}

void hide_folder(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !SetFileAttributesW(path.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN)) {
        throw std::runtime_error("cannot hide the folder " + wide_to_utf8(path));
    }
}

bool file_exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace samplecard
