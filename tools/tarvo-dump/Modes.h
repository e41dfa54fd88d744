#pragma once
// The modes of tarvo-dump. Each prints its JSON (or CSV) to standard output and returns the
// process's exit code: 0 on success, 1 when the input could not be read, 2 for a usage error.
#include <string>
#include <vector>

using Arguments = std::vector<std::wstring>; // the arguments after the program name

int dump_recording_file(const Arguments& arguments); // FILE [--wav OUT] [--frame N --bmp OUT], --csv FILE
int dump_folder(const Arguments& arguments);         // --folder DIR (the object also when DIR is gone, then 1)
int dump_images(const Arguments& arguments);         // --images DIR
int dump_settings(const Arguments& arguments);       // --settings FILE
