#include "platform/ProgramPath.h"

#include "platform/WindowsError.h"

#include <windows.h>

std::wstring program_path()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A full buffer means the path was cut short.
    if (length == 0 || length >= MAX_PATH) {
        throw format_error(length == 0 ? GetLastError() : ERROR_INSUFFICIENT_BUFFER);
    }
    return std::wstring(path, length);
}
