#pragma once
// The message boxes by which failures and questions reach the user.
#include <functional>
#include <string>

#include <windows.h>

// A box with the caption from string-table entry `caption_id`; returns the button chosen.
int show_message(HWND owner, const std::wstring& text, int caption_id, UINT style);

// An operation started from the main window failed: caption "警告", warning icon.
void show_warning(HWND owner, const std::wstring& text);

// Runs the program's body at the outermost level. An Exception escaping it is shown with no
// owner, caption "エラー" and the error icon; a DataMissingException was already reported and
// ends silently; anything else shows "アプリケーション内でエラーが発生しました。".
// Returns the body's result, or 0 after a failure.
int run_outermost(const std::function<int()>& body);
