#pragma once
// The message boxes by which failures and questions reach the user.
#include <functional>
#include <string>

#include <windows.h>

// A box with the caption from string-table entry `caption_id`; returns the button chosen.
int show_message(HWND owner, const std::wstring& text, int caption_id, UINT style);

// Receives what a box would show and returns the button as if the user had chosen it. Tests
// install one so that no box ever waits for a click.
using MessageHandler = int (*)(HWND owner, const std::wstring& text, int caption_id, UINT style);
// Returns the handler it replaces; nullptr restores the message box.
MessageHandler set_message_handler(MessageHandler handler);

// An operation started from the main window failed: caption "警告", warning icon.
void show_warning(HWND owner, const std::wstring& text);

// Shows the exception being handled as the outermost level does: an Exception's message with
// caption "エラー" and the error icon, nothing for a DataMissingException (already reported),
// "アプリケーション内でエラーが発生しました。" for anything else. Call it only inside a catch block.
void show_current_failure();

// Runs the program's body at the outermost level, showing an escaping failure as
// show_current_failure does. Returns the body's result, or 0 after a failure.
int run_outermost(const std::function<int()>& body);
