#include "base/Text.h"

#include <windows.h>

std::wstring load_text(int id)
{
    wchar_t buffer[2048];
    const int length = LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), buffer, 2048);
    return length > 0 ? std::wstring(buffer, static_cast<size_t>(length)) : std::wstring();
}

std::wstring load_text_narrow(int id)
{
    char buffer[2048];
    const int length = LoadStringA(GetModuleHandleW(nullptr), static_cast<UINT>(id), buffer, 2048);
    return length > 0 ? to_wide(std::string(buffer, static_cast<size_t>(length))) : std::wstring();
}

std::string to_narrow(const std::wstring& text)
{
    if (text.empty()) {
        return {};
    }
    const int wide_length = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), wide_length, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
        return {};
    }
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), wide_length, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

std::wstring to_wide(const std::string& text)
{
    if (text.empty()) {
        return {};
    }
    const int narrow_length = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_OEMCP, MB_PRECOMPOSED, text.data(), narrow_length, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_OEMCP, MB_PRECOMPOSED, text.data(), narrow_length, wide.data(), length);
    return wide;
}
