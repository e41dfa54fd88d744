#pragma once
// The real main window for the documentation's pictures: opened on a recording and left to
// play for a while, as a user would have it.
#include <windows.h>

#include <string>

class MainWindow;

// Starts COM, shows the main window, opens the recording in `folder` as `kind` (0 event, 1 image,
// 2 continuous) and pumps messages for `seconds`. The window belongs to itself.
MainWindow* open_viewer(const std::wstring& folder, int kind, DWORD seconds);
