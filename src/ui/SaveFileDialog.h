#pragma once
// The system's standard save dialog (GetSaveFileNameW) for a file the viewer writes: its title
// and file types come from the string table (types as "説明|*.ext|...|"), it proposes a name,
// adds the extension to a name typed without one, and asks before an existing file is replaced.
// It opens where the last file of its kind was saved, at first in one of the user's folders.
#include <windows.h>

#include <functional>
#include <string>

class SaveFileDialog {
public:
    // `startFolder` is the user's folder (a CSIDL value, CSIDL_MYPICTURES for instance) where the
    // first dialog with this title opens.
    SaveFileDialog(int titleText, int filterText, std::wstring extension, int startFolder);

    // Shows the dialog owned by `owner` with `path` as the proposed name. True when the user
    // chose a file; `path` then holds its full path.
    bool doModal(HWND owner);

    // The proposed name before doModal, the chosen path after it.
    std::wstring path;

    int titleText() const { return titleText_; }
    int filterText() const { return filterText_; }
    const std::wstring& extension() const { return extension_; }

    // Answers every dialog instead of the system while set (tests set one): gets the dialog and
    // its owner, returns whether a file was chosen and sets `path` if so. An empty function puts
    // the system's dialog back. Returns the one it replaces.
    using Handler = std::function<bool(SaveFileDialog& dialog, HWND owner)>;
    static Handler setHandler(Handler handler);

private:
    int titleText_;
    int filterText_;
    std::wstring extension_;
    int startFolder_;
};
