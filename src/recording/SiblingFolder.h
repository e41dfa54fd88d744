#pragma once
// The recording folder before or after the open one among its parent's sub-folders.
#include <string>
#include <vector>

// The full path of the folder before (`previous`) or after `path` among the sub-folders of its
// parent, hidden ones included, ordered by name without regard to case.
// Throws DataMissingException when `path` or its parent is gone, and Exception with
// the listing's failures (list_sibling_folders), texts::folder_position_unknown (the folder is
// not among them), no_previous_recording or no_next_recording.
std::wstring sibling_folder(const std::wstring& path, bool previous);

// Sorts folder names as previous/next steps through them: without regard to case, and stable,
// so names differing only in case keep the order in which the system listed them.
void order_sibling_names(std::vector<std::wstring>& names);

// The name before or after the first name that equals `name` exactly (case included) in
// `names`, already in order; throws Exception as sibling_folder does.
std::wstring neighbour_name(const std::vector<std::wstring>& names, const std::wstring& name, bool previous);
