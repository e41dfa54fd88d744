#pragma once
// UTF-8 from wide text (UTF-16 with surrogate pairs on Windows, UTF-32 on the host) and back.
// A broken sequence stands as one replacement character U+FFFD.
#include <string>

std::string wide_to_utf8(const std::wstring& text);
std::wstring utf8_to_wide(const std::string& text);
