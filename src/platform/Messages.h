#pragma once
// The message boxes by which failures and questions reach the user: the one seam for every
// box of the program. The host build writes what a box would show to the error output.
#include <functional>
#include <string>

struct HWND__;               // a window handle (HWND) on Windows
using MessageOwner = HWND__*; // null: a box without an owner

// The icons of the boxes, with the system's values (MB_ICONWARNING, MB_ICONERROR).
constexpr unsigned warning_icon = 0x30;
constexpr unsigned error_icon = 0x10;

// A box with the caption from string-table entry `caption_id`; returns the button chosen.
int show_message(MessageOwner owner, const std::wstring& text, int caption_id, unsigned style);

// Receives what a box would show and returns the button as if the user had chosen it. Tests
// and the console tools install one so that no box ever waits for a click.
using MessageHandler = int (*)(MessageOwner owner, const std::wstring& text, int caption_id, unsigned style);
// Returns the handler it replaces; nullptr restores the message box.
MessageHandler set_message_handler(MessageHandler handler);

// An operation failed or warns: caption "警告", warning icon.
void show_warning(MessageOwner owner, const std::wstring& text);

// Shows the exception being handled as the outermost level does: an Exception's message with
// caption "エラー" and the error icon, nothing for a DataMissingException (already reported),
// "アプリケーション内でエラーが発生しました。" for anything else. Call it only inside a catch block.
void show_current_failure();

// Runs the program's body at the outermost level, showing an escaping failure as
// show_current_failure does. Returns the body's result, or 0 after a failure.
int run_outermost(const std::function<int()>& body);

// The system's own box (MessagesWin32.cpp, MessagesHost.cpp); show_message calls it when no
// handler is installed.
int show_system_message(MessageOwner owner, const std::wstring& text, const std::wstring& caption, unsigned style);
