#pragma once
// Taking over the window procedure of a window that another module created (the shell's folder
// browser and its tree view). The replaced procedure is kept with the window itself, in a window
// property, so a replacement procedure needs nothing but the handle to reach it.
#include <windows.h>

// Installs `replacement` as the window's procedure and keeps the one it replaces.
// False when the window cannot be taken over (then nothing has changed).
bool take_over_window(HWND window, WNDPROC replacement);

// Passes a message on to the procedure that was replaced. WM_DESTROY first puts that procedure
// back and forgets it, so the window leaves the way it came.
LRESULT pass_on(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
