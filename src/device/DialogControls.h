#pragma once
// The few control messages the settings and clock dialogs share.
#include <string>

#include <windows.h>

std::wstring window_text(HWND window);
// A track bar's range, page and line size.
void set_slider(HWND slider, int last, int page);
int slider_position(HWND slider);
void set_slider_position(HWND slider, int position);
// An up-down's position; nothing when it cannot be read (its buddy holds no number in range).
bool updown_position(HWND updown, int& position);
// Answers a notification from a dialog procedure with `result` (WM_NOTIFY's return value).
INT_PTR notify_result(HWND dialog, LRESULT result);
