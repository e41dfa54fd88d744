#pragma once
// The help page: an HTML page with its pictures among the program's resources, written into a
// folder of its own under the user's temporary folder and opened in the user's web browser.
#include <string>

// The page file's name inside the help folder; the page names its pictures "<id>.png".
inline constexpr const wchar_t* helpPageFileName = L"help.html";

// "%TEMP%\Tarvo_Viewer_help\" (with its trailing backslash).
std::wstring helpFolder();

// Writes the page and every picture into `folder` (made when missing), after removing the files
// an older copy left there; returns the page's path. Throws WindowException or IOException.
std::wstring writeHelpFiles(const std::wstring& folder);

// Writes the help files into the help folder and opens the page with the shell. Throws the
// failure; the help command shows its own message for any of them.
void showHelp();

// What the help command tells when showHelp failed: when the page was written, its path, so that
// the user can open it in a browser by hand; otherwise only that help cannot be shown.
std::wstring helpFailureText();
