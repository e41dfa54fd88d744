#pragma once
// Stepping from the open recording folder to the previous or next one, as the main window does.
#include <string>

// The folder beside `folder` (before it with `previous`) when it holds recordings of
// `data_type`: a chapter "Video????.dmv" for continuous recordings, else "VideoInf.dat" or
// "Video.dvt". Only the immediate neighbour is looked at. Any failure, a neighbour without
// recordings included, throws IOException "次の記録データはありません。" (next) or
// "前の記録データはありません。" (previous); DataMissingException (the open folder is gone)
// passes through.
std::wstring neighbour_recording(const std::wstring& folder, bool previous, int data_type);
