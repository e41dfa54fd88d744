#pragma once
// Small helpers every window and dialog uses.
#include <windows.h>

// True when the window's style lacks WS_DISABLED.
bool isEnabled(HWND window);
// Enables or disables the window and repaints it at once (erasing); nothing when the state
// already matches.
void setEnabled(HWND window, bool enabled);
// Moves the window, keeping its size and Z order, so that its outer rectangle is centred on the
// outer rectangle of `reference` (halves truncated toward zero). Dialogs call it on their
// owner in WM_INITDIALOG.
void centreWindow(HWND window, HWND reference);
