#pragma once
// Texts of the string table and conversions between wide and narrow text. The entries are
// named in texts:: (load_text(texts::program_title)).
#include "ResourceIds.h"

#include <initializer_list>
#include <string>

// The string-table entry `id`, or an empty text when the table has no such entry.
std::wstring load_text(int id);
// The same entry read through the narrow (code-page) loader and widened again.
std::wstring load_text_narrow(int id);

// Wide to narrow in the system's ANSI code page (UTF-8 on the host build).
std::string to_narrow(const std::wstring& text);
// Narrow to wide from the system's OEM code page (UTF-8 on the host build).
std::wstring to_wide(const std::string& text);

// The string-table entry with a single integer argument in place of its "%d".
std::wstring format_text(int id, long long value);
// The same with each of `values` in place of the next "%d", in order.
std::wstring format_text(int id, std::initializer_list<long long> values);
// The string-table entry with `value` (a path, an address) in place of its "%s".
std::wstring format_text(int id, const std::wstring& value);
