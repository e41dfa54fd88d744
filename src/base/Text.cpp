#include "base/Text.h"

std::wstring format_text(int id, long long value)
{
    std::wstring text = load_text(id);
    const auto at = text.find(L"%d");
    if (at != std::wstring::npos) {
        text.replace(at, 2, std::to_wstring(value));
    }
    return text;
}
