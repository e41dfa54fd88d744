#pragma once
// The name the save dialog proposes for an exported clip.
#include <cstdint>
#include <string>

// The recording's local date and time as "20261208_113217.avi" (the string table's pattern);
// for a recording without a valid time, the name of its folder with ".avi".
std::wstring clip_file_name(int64_t time, const std::wstring& folder);
