#pragma once
// The system's wildcard file search, as the recording finder and the image reader use it.
#include <string>
#include <vector>

#include "platform/FileSystem.h" // join_path

// Names (not paths) of the entries of `folder` that match `pattern` ('*' and '?', without regard
// to case), in the order the system's search yields them. Folders that match are listed like
// files. Empty when nothing matches, the folder cannot be searched, or folder, separator and
// pattern together are longer than a path may be.
std::vector<std::wstring> find_files(const std::wstring& folder, const std::wstring& pattern);
