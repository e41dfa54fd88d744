#pragma once
// The parent and the last part of a recording folder's path, with the system's separator
// (a backslash on Windows).
#include <string>

// The path without its last part: "E:\DATA\0001\" gives "E:\DATA". Only the first 259
// characters are looked at; a path without a separator comes back without its trailing ones.
std::wstring parent_folder(const std::wstring& path);

// The last part of the path without separators: "E:\DATA\0001" and "E:\DATA\0001\" give
// "0001"; at most 258 characters.
std::wstring last_path_component(const std::wstring& path);
