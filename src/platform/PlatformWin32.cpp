#include "platform/Platform.h"

#include "base/Text.h"

#include <windows.h>

namespace {
WarningHandler warning_handler = nullptr;
}

void warn_user(const std::wstring& text)
{
    if (warning_handler != nullptr) {
        warning_handler(text);
        return;
    }
    MessageBoxW(nullptr, text.c_str(), load_text(5005).c_str(), MB_ICONWARNING); // "警告"
}

WarningHandler set_warning_handler(WarningHandler handler)
{
    const WarningHandler previous = warning_handler;
    warning_handler = handler;
    return previous;
}

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
