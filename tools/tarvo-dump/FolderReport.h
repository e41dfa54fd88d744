#pragma once
// What tarvo-dump prints of a recording folder: what the viewer's finder makes of it.
#include <string>

// One JSON object (UTF-8, with a line break): "counts" of each kind's files; "select", the
// result of the kind check started once from each current kind, with the kind it leaves
// current; "chapters", the chapter file names in playing order or {"error": message};
// "more_than_60"; "total_frames"; "previous" and "next", the name of the neighbouring
// recording folder, {"error": message} or {"missing": true} when the folder itself is gone.
// The neighbours are looked for in the kind that the check leaves current when started from
// the event kind. The process's current kind is the same before and after.
std::string folder_json(const std::wstring& folder);
