// The host build has no resources: the string table is compiled in, and narrow text is UTF-8.
#include "base/Text.h"

#include "base/Utf8.h"

#include <map>

namespace {

const std::map<int, std::wstring>& string_table()
{
    static const std::map<int, std::wstring> table = {
#define TARVO_TEXT(id, name, text) {id, L"" text},
#include "strings.def"
#undef TARVO_TEXT
    };
    return table;
}

} // namespace

std::wstring load_text(int id)
{
    const auto& table = string_table();
    const auto found = table.find(id);
    return found == table.end() ? std::wstring() : found->second;
}

std::wstring load_text_narrow(int id)
{
    return to_wide(to_narrow(load_text(id)));
}

std::string to_narrow(const std::wstring& text)
{
    return wide_to_utf8(text);
}

std::wstring to_wide(const std::string& text)
{
    return utf8_to_wide(text);
}
