#include "recording/DataPattern.h"

namespace {

const std::wstring chapter_pattern = L"Video????.dmv";
constexpr size_t extension_length = 4;
constexpr size_t chapter_name_length = 13;
constexpr size_t chapter_prefix_length = 5;
constexpr size_t chapter_digits = 4;

wchar_t upper(wchar_t ch)
{
    return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
}

bool same_without_case(const std::wstring& a, size_t a_at, const std::wstring& b, size_t b_at, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (upper(a[a_at + i]) != upper(b[b_at + i])) {
            return false;
        }
    }
    return true;
}

bool is_chapter_name(const std::wstring& name)
{
    if (name.size() != chapter_name_length || !same_without_case(name, 0, L"VIDEO", 0, chapter_prefix_length)) {
        return false;
    }
    for (size_t i = chapter_prefix_length; i < chapter_prefix_length + chapter_digits; ++i) {
        if (name[i] < L'0' || name[i] > L'9') {
            return false;
        }
    }
    return true;
}

} // namespace

bool matches_data_pattern(const std::wstring& pattern, const std::wstring& file_name)
{
    if (pattern.size() < extension_length || file_name.size() < extension_length) {
        return false;
    }
    if (!same_without_case(pattern, pattern.size() - extension_length, file_name,
                            file_name.size() - extension_length, extension_length)) {
        return false;
    }
    const bool chapter = pattern.size() == chapter_pattern.size() &&
                         same_without_case(pattern, 0, chapter_pattern, 0, chapter_pattern.size());
    return !chapter || is_chapter_name(file_name);
}
