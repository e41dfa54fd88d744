#pragma once
// Which file names make up a recording of each kind.
#include <string>

// Whether `file_name` is a file of the kind that `pattern` ("Video.dvt", "*.dpc",
// "Video????.dmv") names: the last four characters must agree without regard to case; a
// chapter name must also be "Video", four decimal digits and the extension, 13 characters.
bool matches_data_pattern(const std::wstring& pattern, const std::wstring& file_name);
