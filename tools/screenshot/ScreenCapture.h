#pragma once
// What the documentation's screenshot programs share: a message pump with a duration and a
// screen rectangle saved as a 24-bit BMP.
#include <windows.h>

#include <string>

// Dispatches this thread's messages for `milliseconds`.
void pump_for(DWORD milliseconds);

// Saves what the screen shows in `rect` (screen coordinates) as a 24-bit BMP file.
bool save_screen_rect(const RECT& rect, const std::wstring& path);

// The outer rectangle of `window` on the screen.
RECT window_rect(HWND window);

// Saves the window's outer rectangle as it shows on the screen as a 24-bit BMP.
bool save_window(HWND window, const std::wstring& path);
