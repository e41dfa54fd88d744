#pragma once
// The ファイル menu's 動画ファイルに書き出す(&E)... (Ctrl+E): the open event or continuous
// recording as an AVI file. Asks for the file with the standard save dialog (a name made from
// the recording's date and time proposed), writes it under the progress window, and leaves no
// file when the user cancels or the writing fails.
#include <windows.h>

#include <functional>
#include <string>

class ClipExportCommand {
public:
    // Asks for the file to write: `path` holds the proposed name and receives the choice; false
    // when the user cancels.
    using PathChooser = std::function<bool(HWND owner, std::wstring& path)>;

    explicit ClipExportCommand(PathChooser chooser);

    // Whether the command applies: a recording of a kind with pictures in time (event or
    // continuous) is open.
    static bool applies_to(int data_type, bool recording_open);

    // Exports the recording of `data_type` in `folder`; true when a file was written. Failures
    // throw an Exception with the finished message, after the partial file has gone.
    bool run(HWND owner, const std::wstring& folder, int data_type);

private:
    PathChooser chooser_;
};

// The system's save dialog for an AVI file, starting in the folder chosen last (at first the
// user's video folder).
bool choose_clip_path(HWND owner, std::wstring& path);
