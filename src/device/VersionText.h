#pragma once
// The version shown in the version dialog, made from the file version text of the program's
// version information ("2, 10, 3, 7" shows as 2.10.3).
#include <string>

// Keeps the decimal digits in order, turns the first and the second comma into a period, stops
// at the third comma and drops every other character.
std::wstring versionTextFrom(const std::wstring& fileVersion);
