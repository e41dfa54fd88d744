#pragma once
// Documents and web addresses handed to the shell, which opens them with the program the user
// has chosen for them.
#include <string>

// Opens `target` with the shell's default verb, no parameters, working folder "C:\", shown
// normally. Throws WindowException with the system's text when the shell cannot open it.
void shell_open(const std::wstring& target);

// Receives what the shell would open and answers as ShellExecuteW does (more than 32 when it
// opened, with GetLastError set otherwise). Tests install one so that no browser starts.
using ShellOpenHandler = long (*)(const std::wstring& target, const std::wstring& working_folder);
// Returns the handler it replaces; nullptr gives the shell back.
ShellOpenHandler set_shell_open_handler(ShellOpenHandler handler);
