#include "platform/Platform.h"

#include "base/Text.h"

#include <windows.h>

std::wstring make_temp_file(const std::wstring& prefix)
{
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH) {
        return {};
    }
    wchar_t path[MAX_PATH];
    if (GetTempFileNameW(folder, prefix.c_str(), 0, path) == 0) {
        return {};
    }
    return path;
}

bool delete_file(const std::wstring& path)
{
    return DeleteFileW(path.c_str()) != FALSE;
}
