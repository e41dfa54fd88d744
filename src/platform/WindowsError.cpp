#include "platform/WindowsError.h"

#include "base/Text.h"

#include <windows.h>

#include <cwchar>

WindowException format_error(unsigned long code)
{
    wchar_t buffer[1024];
    // No arguments are passed: a system text with placeholders ("%1") keeps them as written.
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                  buffer, 1024, nullptr);
    if (length == 0) {
        // "Windowsのエラーです。エラーコード:%d" with the code in decimal.
        const std::wstring pattern = load_text_narrow(texts::windows_error_code);
        const int written = std::swprintf(buffer, 1024, pattern.c_str(), static_cast<int>(code));
        length = written > 0 ? static_cast<DWORD>(written) : 0;
    }
    return WindowException(std::wstring(buffer, length));
}
