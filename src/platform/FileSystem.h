#pragma once
// File attributes and paths of the files the viewer writes onto the card. The recorder's
// settings files are left hidden and read-only, so they have to be made normal before they are
// rewritten or deleted.
#include <optional>
#include <string>

enum FileAttribute : unsigned {
    file_normal = 0,
    file_hidden = 1u << 0,
    file_read_only = 1u << 1,
};

// Gives the file exactly these attributes (file_normal clears both); false when they could not
// be changed (a missing file included).
// On the host build read-only is the file's write permission, and hidden is remembered by this
// process for that very file (Linux has no such attribute).
bool set_file_attributes(const std::wstring& path, unsigned attributes);

// The hidden and read-only attributes of an existing file or folder; nothing when there is none.
std::optional<unsigned> file_attributes(const std::wstring& path);

// True when `path` names an existing file (not a folder).
bool file_exists(const std::wstring& path);

// The separator between the parts of a path: a backslash on Windows, a slash on the host build.
extern const wchar_t path_separator;

// `name` inside `folder`, with one separator between them ("E:\" and "DREC.INI" give "E:\DREC.INI").
std::wstring join_path(const std::wstring& folder, const std::wstring& name);
