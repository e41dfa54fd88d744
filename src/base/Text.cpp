#include "base/Text.h"

std::wstring format_text(int id, long long value)
{
    return format_text(id, {value});
}

std::wstring format_text(int id, std::initializer_list<long long> values)
{
    std::wstring text = load_text(id);
    size_t from = 0;
    for (const long long value : values) {
        const size_t at = text.find(L"%d", from);
        if (at == std::wstring::npos) {
            break;
        }
        const std::wstring number = std::to_wstring(value);
        text.replace(at, 2, number);
        from = at + number.size();
    }
    return text;
}

std::wstring format_text(int id, const std::wstring& value)
{
    std::wstring text = load_text(id);
    const size_t at = text.find(L"%s");
    return at == std::wstring::npos ? text : text.replace(at, 2, value);
}
