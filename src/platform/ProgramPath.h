#pragma once
// Where the viewer's own program file lies.
#include <string>

// The full path of the running program. Throws WindowException with the system's text when it
// cannot be had whole (a path longer than MAX_PATH included).
std::wstring program_path();
