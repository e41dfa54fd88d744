#pragma once
// The names of the files inside the restore cabinet, which become paths on the card.
#include <string>

// True when `name` stays inside the folder it is extracted into: not empty, not absolute
// ("\x", "/x", "C:x", "\\server\x"), and no part of it is "..".
bool is_safe_cabinet_name(const std::string& name);

// The cabinet's error codes 0 to 11, in order, as string-table entries; any other code gives
// "未定義のエラーです。".
int cabinet_error_text(int code);
