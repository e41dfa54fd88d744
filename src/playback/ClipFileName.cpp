#include "playback/ClipFileName.h"

#include "base/LocalTime.h"
#include "base/Text.h"
#include "recording/FolderPath.h"

#include <cwchar>

std::wstring clip_file_name(int64_t time, const std::wstring& folder)
{
    std::tm local{};
    if (time != 0 && time_to_local(time, local)) {
        wchar_t name[64] = {};
        const int written = std::swprintf(name, 64, load_text(texts::export_file_name).c_str(), local.tm_year + 1900,
                                          local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
        if (written > 0) {
            return name;
        }
    }
    const std::wstring base = last_path_component(folder);
    return (base.empty() ? load_text(texts::export_dialog_title) : base) + L".avi";
}
