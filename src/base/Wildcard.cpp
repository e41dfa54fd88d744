#include "base/Wildcard.h"

#include <cstddef>

namespace {

wchar_t fold_case(wchar_t ch)
{
    return ch >= L'a' && ch <= L'z' ? static_cast<wchar_t>(ch - L'a' + L'A') : ch;
}

} // namespace

bool wildcard_match(const std::wstring& pattern, const std::wstring& name)
{
    // Greedy matching with one back-tracking point: the last '*' seen and where its run ends.
    size_t p = 0;
    size_t n = 0;
    size_t star = std::wstring::npos;
    size_t resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == L'?' || fold_case(pattern[p]) == fold_case(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::wstring::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*') {
        ++p;
    }
    return p == pattern.size();
}
