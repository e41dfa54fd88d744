#pragma once
// The file-search wildcard rule: '*' stands for any run of characters (none included), '?' for
// exactly one; other characters compare without regard to ASCII case.
#include <string>

bool wildcard_match(const std::wstring& pattern, const std::wstring& name);
