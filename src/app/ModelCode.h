#pragma once
// The recorder model's code: two bytes carried by the recording files and the settings files.
#include <cstdint>
#include <optional>
#include <string>

struct ModelCode {
    uint8_t high = 0x03;
    uint8_t low = 0x12;
};

// A text of hexadecimal digits read as a code: its high and low byte. None when the text is
// not all hexadecimal digits or the value is above 0xFFFF.
std::optional<ModelCode> parse_model_code(const std::wstring& text);

// The program's code: string-table entry "0312" read as hexadecimal, else 0x03 0x12. Read once.
ModelCode model_code();
