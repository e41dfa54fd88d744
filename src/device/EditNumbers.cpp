#include "device/EditNumbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <cwctype>

namespace {

bool only_space(const wchar_t* rest)
{
    for (; *rest != L'\0'; ++rest) {
        if (!std::iswspace(*rest)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<int> parse_hundredths(const std::wstring& text, int min, int max)
{
    wchar_t* end = nullptr;
    const double typed = std::wcstod(text.c_str(), &end);
    if (end == text.c_str() || !only_space(end) || !std::isfinite(typed)) {
        return std::nullopt;
    }
    const double clamped = std::clamp(typed, min / 100.0, max / 100.0);
    return std::clamp(static_cast<int>(std::floor(clamped * 100 + 0.009)), min, max);
}

std::optional<int> parse_whole(const std::wstring& text, int min, int max)
{
    wchar_t* end = nullptr;
    const long long typed = std::wcstoll(text.c_str(), &end, 10);
    if (end == text.c_str() || !only_space(end)) {
        return std::nullopt;
    }
    return static_cast<int>(std::clamp<long long>(typed, min, max));
}

std::wstring hundredths_text(int hundredths)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"%d.%02d", hundredths / 100, hundredths % 100);
    return text;
}
