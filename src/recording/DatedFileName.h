#pragma once
// The names the save dialogs propose for what the viewer writes out of a recording.
#include <cstdint>
#include <optional>
#include <string>

// The local date and time of `time` through the string-table pattern `pattern` (year, month,
// day, hour, minute, second, then `number` when given: "20100102_030405_00123.jpg"). For 0, or
// a time the system cannot convert, the name of `folder` (then "_" and `number` in five digits)
// with the pattern's extension.
std::wstring dated_file_name(int pattern, int64_t time, const std::wstring& folder,
                             std::optional<int> number = std::nullopt);
