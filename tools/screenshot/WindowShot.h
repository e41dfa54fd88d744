#pragma once
// What the screenshot tools share: letting windows work for a while, and saving what a window
// shows on the screen.
#include <string>

#include <windows.h>

// Dispatches this thread's messages for `milliseconds`.
void pump_for(DWORD milliseconds);
// Saves the window's outer rectangle as it shows on the screen as a 24-bit BMP.
bool save_window(HWND window, const std::wstring& path);
