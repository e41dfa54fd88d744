#include "recording/DatedFileName.h"

#include "base/LocalTime.h"
#include "base/Text.h"
#include "recording/FolderPath.h"

#include <cwchar>

std::wstring dated_file_name(int pattern, int64_t time, const std::wstring& folder, std::optional<int> number)
{
    const std::wstring format = load_text(pattern);
    std::tm local{};
    if (time != 0 && time_to_local(time, local)) {
        wchar_t name[128] = {};
        const int written = std::swprintf(name, 128, format.c_str(), local.tm_year + 1900, local.tm_mon + 1,
                                          local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, number.value_or(0));
        if (written > 0) {
            return name;
        }
    }
    const size_t dot = format.rfind(L'.');
    std::wstring name = last_path_component(folder);
    if (number) {
        wchar_t digits[16] = {};
        std::swprintf(digits, 16, L"_%05d", *number);
        name += digits;
    }
    return name + (dot == std::wstring::npos ? std::wstring() : format.substr(dot));
}
