#pragma once
// What the program does before its message loop, in the order it does it.
#include <windows.h>

// The operating-system check: the string-table message to warn with (os_version_unknown when
// the version cannot be told, os_too_old below major version 5), or 0 when the system is fine.
// It never stops the program.
int operating_system_warning(bool version_known, long major_version);

// The message loop's first stop: a message for the active modeless dialog (the lap list) goes
// to the dialog manager; true when it took the message.
bool route_to_modeless_dialog(MSG& message);

// The message loop's second stop: a key of the viewer's accelerator table becomes a command of
// the main window `main`; true when it did. In the image mode the left and right arrows stay
// the thumbnail strip's, and a Space held down toggles playing only once.
bool route_to_keys(HWND main, MSG& message);

// Runs the viewer: prepares the process, checks the system, starts COM and the common controls,
// creates the main window with the start-up animation and runs the message loop. Returns the
// quit message's exit code. Failures leave as exceptions for the outermost level.
int run_viewer(int show_command);
