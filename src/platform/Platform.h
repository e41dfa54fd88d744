#pragma once
// The few system services that the format core needs. Each has a Win32 implementation and a
// host one, so the core builds without windows.h and runs natively under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <string>

// Warns the user with a message box that has no owner window, caption "警告" and the
// warning icon. A handler installed with set_warning_handler receives the text instead.
void warn_user(const std::wstring& text);
using WarningHandler = void (*)(const std::wstring& text);
// Returns the handler it replaces; nullptr restores the message box.
WarningHandler set_warning_handler(WarningHandler handler);

// A unique, newly created empty file in the system's temporary folder whose name starts
// with `prefix`; an empty path when none can be made.
std::wstring make_temp_file(const std::wstring& prefix);

// Deletes a file; false when it could not be deleted (a missing file included).
bool delete_file(const std::wstring& path);
