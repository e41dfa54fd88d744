#include "base/ModelCode.h"

#include "base/Text.h"

#include <cwctype>
#include <optional>

namespace {

std::optional<unsigned> hex_digit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9') {
        return static_cast<unsigned>(ch - L'0');
    }
    if (ch >= L'a' && ch <= L'f') {
        return static_cast<unsigned>(ch - L'a' + 10);
    }
    if (ch >= L'A' && ch <= L'F') {
        return static_cast<unsigned>(ch - L'A' + 10);
    }
    return std::nullopt;
}

bool is_space(wchar_t ch) { return std::iswspace(static_cast<wint_t>(ch)) != 0; }

} // namespace

ModelCode parse_model_code(const std::wstring& text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && is_space(text[begin])) {
        ++begin;
    }
    while (end > begin && is_space(text[end - 1])) {
        --end;
    }
    if (end - begin > 2 && text[begin] == L'0' && (text[begin + 1] == L'x' || text[begin + 1] == L'X')) {
        begin += 2;
    }
    if (begin == end) {
        return {};
    }
    unsigned value = 0;
    for (size_t i = begin; i < end; ++i) {
        const auto digit = hex_digit(text[i]);
        if (!digit) {
            return {};
        }
        value = value * 16 + *digit;
        if (value > 0xFFFF) {
            return {};
        }
    }
    return {static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)};
}

const ModelCode& model_code()
{
    static const ModelCode code = parse_model_code(load_text(texts::model_code));
    return code;
}
