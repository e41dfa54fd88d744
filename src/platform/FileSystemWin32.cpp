#include "platform/FileSystem.h"

#include <windows.h>

bool set_file_attributes(const std::wstring& path, unsigned attributes)
{
    DWORD value = 0;
    if (attributes & file_hidden) {
        value |= FILE_ATTRIBUTE_HIDDEN;
    }
    if (attributes & file_read_only) {
        value |= FILE_ATTRIBUTE_READONLY;
    }
    return SetFileAttributesW(path.c_str(), value == 0 ? FILE_ATTRIBUTE_NORMAL : value) != FALSE;
}

std::optional<unsigned> file_attributes(const std::wstring& path)
{
    const DWORD value = GetFileAttributesW(path.c_str());
    if (value == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    unsigned attributes = file_normal;
    if (value & FILE_ATTRIBUTE_HIDDEN) {
        attributes |= file_hidden;
    }
    if (value & FILE_ATTRIBUTE_READONLY) {
        attributes |= file_read_only;
    }
    return attributes;
}

bool file_exists(const std::wstring& path)
{
    const DWORD value = GetFileAttributesW(path.c_str());
    return value != INVALID_FILE_ATTRIBUTES && (value & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

const wchar_t path_separator = L'\\';

std::wstring join_path(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') {
        return folder + name;
    }
    return folder + L'\\' + name;
}
