#pragma once
// The two bytes that name the recorder model in the header of its settings files (and in its
// recording files): string 5087 "0312" read as a hexadecimal number gives 0x03 and 0x12.
#include <cstdint>
#include <string>

struct ModelCode {
    uint8_t high = 0x03;
    uint8_t low = 0x12;

    bool operator==(const ModelCode&) const = default;
};

// The model code written as `text`: hexadecimal digits, optionally with a "0x" prefix and
// surrounding white space. Anything else, or a value above 0xFFFF, leaves the built-in 3 and 18.
ModelCode parse_model_code(const std::wstring& text);

// The model code of this build, parsed from texts::model_code on first use.
const ModelCode& model_code();
