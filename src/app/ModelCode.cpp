#include "app/ModelCode.h"

#include "app/Text.h"

namespace {

constexpr int model_code_text_id = 5087;

int hex_digit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9') {
        return ch - L'0';
    }
    if (ch >= L'a' && ch <= L'f') {
        return ch - L'a' + 10;
    }
    if (ch >= L'A' && ch <= L'F') {
        return ch - L'A' + 10;
    }
    return -1;
}

} // namespace

std::optional<ModelCode> parse_model_code(const std::wstring& text)
{
    if (text.empty()) {
        return std::nullopt;
    }
    unsigned value = 0;
    for (const wchar_t ch : text) {
        const int digit = hex_digit(ch);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(digit);
        if (value > 0xFFFF) {
            return std::nullopt;
        }
    }
    return ModelCode{static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value & 0xFF)};
}

ModelCode model_code()
{
    static const ModelCode code = parse_model_code(load_text(model_code_text_id)).value_or(ModelCode{});
    return code;
}
