#include "platform/ShellOpen.h"

#include "platform/WindowsError.h"

#include <windows.h>
#include <shellapi.h>

namespace {

ShellOpenHandler& open_handler()
{
    static ShellOpenHandler handler = nullptr;
    return handler;
}

long open_through_shell(const std::wstring& target, const std::wstring& working_folder)
{
    const HINSTANCE result =
        ShellExecuteW(nullptr, nullptr, target.c_str(), nullptr, working_folder.c_str(), SW_SHOWNORMAL);
    return static_cast<long>(reinterpret_cast<INT_PTR>(result));
}

} // namespace

void shell_open(const std::wstring& target)
{
    const ShellOpenHandler handler = open_handler() != nullptr ? open_handler() : open_through_shell;
    if (handler(target, L"C:\\") <= 32) {
        throw format_error(GetLastError());
    }
}

ShellOpenHandler set_shell_open_handler(ShellOpenHandler handler)
{
    const ShellOpenHandler previous = open_handler();
    open_handler() = handler;
    return previous;
}
