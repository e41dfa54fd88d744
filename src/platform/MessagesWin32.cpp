#include "platform/Messages.h"

#include <windows.h>

static_assert(warning_icon == MB_ICONWARNING && error_icon == MB_ICONERROR, "the icons are the system's");

int show_system_message(MessageOwner owner, const std::wstring& text, const std::wstring& caption, unsigned style)
{
    return MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}
