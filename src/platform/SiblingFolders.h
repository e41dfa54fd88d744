#pragma once
// The folders beside an open recording folder, as the system lists them.
#include <string>
#include <vector>

// The names of every sub-folder of `parent` (hidden ones included, files left out), in the order
// the system lists them. `folder` is the open folder inside `parent`.
// Throws DataMissingException when `folder` or `parent` can no longer be found (the card was
// pulled out, the folder renamed), and IOException with the system's failure: texts::
// no_memory_manager, no_desktop_folder, folder_not_bindable, folder_not_enumerable or
// folder_name_unreadable.
// Windows goes through the shell namespace; the host build reads the directory.
std::vector<std::wstring> list_sibling_folders(const std::wstring& folder, const std::wstring& parent);
