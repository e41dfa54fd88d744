#pragma once
// The card's file system as the writer needs it: folders, the hidden attribute, whole files.
// CardFilesWin32.cpp and CardFilesHost.cpp implement the system-specific parts.
#include "samplecard/RecorderBytes.h"

#include <string>

namespace samplecard {

// Joins a folder and a name with the system's separator.
std::wstring join_path(const std::wstring& folder, const std::wstring& name);

// Creates the folder (its parent must exist). True when it was made now, false when a folder
// of that name was already there (on Windows also one whose name differs only in case).
// Throws std::runtime_error when it can be neither.
bool create_folder(const std::wstring& path);
// Creates the folder and any missing parents.
void create_folders(const std::wstring& path);

// Gives a folder the hidden attribute (Windows); the host has no such attribute and leaves the
// folder as it is.
void hide_folder(const std::wstring& path);

// Writes the whole file, replacing any old one. Throws std::runtime_error on failure.
void write_file(const std::wstring& path, const Bytes& bytes);

bool file_exists(const std::wstring& path);

} // namespace samplecard
