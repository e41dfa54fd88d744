#pragma once
// The few system services that the format core needs. Each has a Win32 implementation and a
// host one, so the core builds without windows.h and runs natively under the sanitizers.
#include <cstddef>
#include <cstdint>
#include <string>

// A unique, newly created empty file in the system's temporary folder whose name starts
// with `prefix`; an empty path when none can be made.
std::wstring make_temp_file(const std::wstring& prefix);

// Deletes a file; false when it could not be deleted (a missing file included).
bool delete_file(const std::wstring& path);
