#include "panels/ThumbnailCaption.h"

#include "base/LocalTime.h"

#include <cwchar>

std::wstring thumbnail_caption(int64_t time)
{
    std::tm local{};
    if (time == 0 || !time_to_local(time, local)) {
        return L"----/--/-- --:--:--";
    }
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"%04d/%02d/%02d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}
