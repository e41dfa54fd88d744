#pragma once
// Which kind of recording a folder on the card holds, told by its file names.
#include <string>

// The files of a kind: "Video.dvt" (event, and any value other than image and continuous),
// "*.dpc" (image), "Video????.dmv" (continuous).
std::wstring data_file_pattern(int type);
// The display mode's name of a kind: "イベント記録表示モード" (event, and any other value),
// "画像記録表示モード", "連続記録表示モード".
std::wstring mode_text(int type);

// How many entries of `folder` the system's wildcard search finds for `pattern` that are
// files of that kind (folders with such names count too). 0 when the folder cannot be searched.
int count_matching_files(const std::wstring& folder, const std::wstring& pattern);

// Whether `folder` holds recordings of the current data type. A folder holding one kind only
// makes that kind current; a folder with several kinds leaves the current type as it is; an
// empty one gives false and changes nothing.
bool select_data_type(const std::wstring& folder);
