#pragma once
// Picking a folder with the shell's folder browser: the open-folder command (with the choice of
// the recording kind) and the device commands (the SD memory card's drive).
#include <functional>
#include <string>

#include <windows.h>

// Shows the browser owned by `owner` with `prompt` above the tree, starting at the path in
// `folder`. True when a folder with a file-system path was chosen; `folder` then holds it.
// Otherwise `folder` and the current data type are left as they were. The prompt of the
// open-folder command ("フォルダを選択してください。") adds the data-type row, whose choice
// becomes the current data type when the user confirms with OK. COM must be initialised on the
// calling thread.
bool chooseFolder(const std::wstring& prompt, HWND owner, wchar_t (&folder)[MAX_PATH]);

// The open-folder command's browser: chooseFolder with "フォルダを選択してください。".
bool chooseDataFolder(HWND owner, wchar_t (&folder)[MAX_PATH]);

// Answers every chooseFolder call instead of the browser while set (tests set one); it gets the
// prompt and the owner and returns whether a folder was chosen, filling `folder` if so. An
// empty function puts the browser back. Returns the one it replaces.
using FolderChoiceHandler = std::function<bool(const std::wstring& prompt, HWND owner, wchar_t (&folder)[MAX_PATH])>;
FolderChoiceHandler set_folder_choice_handler(FolderChoiceHandler handler);
