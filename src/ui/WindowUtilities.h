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

struct CreationRecord;
// A visible "DefaultWindow" child of `parent` at (x, y) in its client coordinates.
CreationRecord childRecord(HWND parent, int x, int y, int width, int height);
// The answer of a skinned control to WM_GETDLGCODE for the message `pending` (may be null): the
// keys and characters it does not handle stay with the dialog (0), Enter too unless
// `takesEnter`; everything else comes to the control.
LRESULT skinnedDialogCode(const MSG* pending, bool takesEnter);
