#include "common/Arguments.h"

#include "base/Utf8.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

std::vector<std::wstring> wide_arguments(int argc, char** argv)
{
    std::vector<std::wstring> arguments;
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 0; wide != nullptr && i < count; ++i) {
        arguments.emplace_back(wide[i]);
    }
    LocalFree(wide);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#else
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(utf8_to_wide(argv[i]));
    }
#endif
    return arguments;
}

void write_out(const std::string& utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

void write_err(const std::string& utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}
