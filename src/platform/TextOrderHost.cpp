// Stands in for the locale-aware comparison of Windows (lstrcmpW) on the names a card holds:
// letters are compared without regard to case, punctuation sorts before digits and digits before
// letters (a slash or dot before "0", "_" before "a"), a text sorts before its longer
// continuations, and only texts that agree in all that are told apart by the first difference
// in case, small letters first. Hyphens and apostrophes count only between texts that are
// otherwise equal ("a-b" after "ab"), as in the system's word sort. Characters outside ASCII
// sort after all of these, by code.
#include "platform/TextOrder.h"

#include <algorithm>
#include <iterator>

namespace {

bool is_digit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }
bool is_upper(wchar_t ch) { return ch >= L'A' && ch <= L'Z'; }
bool is_lower(wchar_t ch) { return ch >= L'a' && ch <= L'z'; }

// Where a character sorts: its group first, then its case-folded code within the group.
int group_of(wchar_t ch)
{
    if (ch >= 0x80) {
        return 3;
    }
    if (is_digit(ch)) {
        return 1;
    }
    return is_upper(ch) || is_lower(ch) ? 2 : 0;
}

wchar_t folded(wchar_t ch)
{
    return is_upper(ch) ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}

int sign(long long value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

bool is_word_mark(wchar_t ch) { return ch == L'-' || ch == L'\''; }

std::wstring without_word_marks(const std::wstring& text)
{
    std::wstring kept;
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [](wchar_t ch) { return !is_word_mark(ch); });
    return kept;
}

int compare_characters(const std::wstring& a, const std::wstring& b)
{
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const int groups = group_of(a[i]) - group_of(b[i]);
        if (groups != 0) {
            return sign(groups);
        }
        const long long codes = static_cast<long long>(folded(a[i])) - static_cast<long long>(folded(b[i]));
        if (codes != 0) {
            return sign(codes);
        }
    }
    return sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

// Texts equal without regard to case: the first place where only the case differs decides.
int compare_case(const std::wstring& a, const std::wstring& b)
{
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (a[i] != b[i]) {
            return is_lower(a[i]) ? -1 : 1;
        }
    }
    return 0;
}

// Texts equal without their hyphens and apostrophes and without regard to case: the one with a
// mark where the other goes on sorts after it.
int compare_word_marks(const std::wstring& a, const std::wstring& b)
{
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (is_word_mark(a[i]) != is_word_mark(b[i])) {
            return is_word_mark(a[i]) ? 1 : -1;
        }
        if (folded(a[i]) != folded(b[i])) {
            return sign(static_cast<long long>(folded(a[i])) - static_cast<long long>(folded(b[i])));
        }
    }
    return sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

} // namespace

int compare_text_without_case(const std::wstring& a, const std::wstring& b)
{
    const int letters = compare_characters(without_word_marks(a), without_word_marks(b));
    return letters != 0 ? letters : compare_word_marks(a, b);
}

int compare_text(const std::wstring& a, const std::wstring& b)
{
    const std::wstring a_letters = without_word_marks(a);
    const std::wstring b_letters = without_word_marks(b);
    int order = compare_characters(a_letters, b_letters);
    if (order == 0) {
        order = compare_case(a_letters, b_letters);
    }
    return order != 0 ? order : compare_word_marks(a, b);
}
