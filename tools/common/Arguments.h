#pragma once
// A console tool's command line as wide text: on Windows read again as UTF-16 (argv there is in
// the ANSI code page and loses characters), on the host decoded from UTF-8.
#include <string>
#include <vector>

std::vector<std::wstring> wide_arguments(int argc, char** argv);

// Writes UTF-8 text to standard output / standard error without any code-page conversion.
void write_out(const std::string& utf8);
void write_err(const std::string& utf8);
