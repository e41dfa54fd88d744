#include "platform/Messages.h"

#include "base/Text.h"

#include <cstdio>

int show_system_message(MessageOwner, const std::wstring& text, const std::wstring& caption, unsigned)
{
    std::fprintf(stderr, "%s: %s\n", to_narrow(caption).c_str(), to_narrow(text).c_str());
    return 1; // OK
}
