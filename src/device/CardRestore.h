#pragma once
// Putting back onto a card the files the recorder needs to run: its program files from the
// cabinet among the viewer's resources (type "BINARY", 309; the shipped viewer carries none),
// a copy of the viewer, and, if the user wants, the standard settings.
#include <string>

#include <windows.h>

// Extracts the cabinet resource into the card folder through a temporary file in "C:\Temp".
// Without the resource: WindowException with the system's text; other failures IOException.
void extractCabinet(const std::wstring& card_folder);

// Copies the running viewer onto the card as "Tarvo_Viewer.exe", unless it runs from there.
// A copy of another length is deleted and IOException "一部のファイルの展開に失敗しました。"
// thrown.
void copyViewerToCard(const std::wstring& card_folder);
// The same for the viewer at `viewer_path`.
void copyViewerToCard(const std::wstring& card_folder, const std::wstring& viewer_path);

// The restore command: asks for the card (starting at `card_folder`, which takes the choice),
// asks to go on and whether to keep the settings, restores with the wait cursor and tells how it
// went. Returns whether a card folder was chosen.
bool restoreCard(HWND owner, std::wstring& card_folder);
