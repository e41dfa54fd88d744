// The host build has no resources: the string table is compiled in, and narrow text is UTF-8.
#include "app/Text.h"

#include <cstdint>
#include <map>

namespace {

const std::map<int, std::wstring>& string_table()
{
    static const std::map<int, std::wstring> table = {
#define TARVO_TEXT(id, text) {id, L"" text},
#include "strings.def"
#undef TARVO_TEXT
    };
    return table;
}

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
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
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        const auto code = static_cast<char32_t>(c);
        append_utf8(out, code <= 0x10FFFF ? code : 0xFFFD);
    }
    return out;
}

std::wstring to_wide(const std::string& text)
{
    std::wstring out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : 4;
        char32_t code = extra == 0 ? lead : (lead & (0x3Fu >> extra));
        bool valid = extra < 4 && i + extra < text.size();
        for (size_t k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (valid) {
            out += static_cast<wchar_t>(code);
            i += extra + 1;
        } else {
            out += L'\xFFFD'; // a broken sequence stands as one replacement character
            ++i;
        }
    }
    return out;
}
