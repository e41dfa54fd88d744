// export-shot FOLDER KIND SECONDS OUT.bmp CLIP.avi: opens the recording in FOLDER (KIND 0 event,
// 2 continuous) in the real main window, lets it play for SECONDS, then exports it through the
// menu command into CLIP.avi (the save dialog answered with that name) and saves the window
// with the progress window over it, about a third of the way, as a 24-bit BMP. For the
// documentation's picture of the export. With CLIP.avi "-" the system's save dialog asks, as it
// does the user.
#include "app/MainWindow.h"
#include "ResourceIds.h"
#include "base/Text.h"
#include "platform/SystemHandles.h"

#include "ScreenCapture.h"
#include "ViewerWindow.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <cstdlib>
#include <string>

namespace {

struct Capture {
    HANDLE ui_thread = nullptr;
    HWND main_window = nullptr;
    std::wstring out;
    std::atomic<bool> saved{false};
};

// Waits for the progress window to pass a third, holds the user-interface thread still and saves
// the main window's rectangle, which the centred progress window lies in.
DWORD WINAPI capture_progress(void* parameter)
{
    auto& capture = *static_cast<Capture*>(parameter);
    const std::wstring caption = load_text(texts::export_progress_caption);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 60000) {
        HWND dialog = FindWindowW(L"#32770", caption.c_str());
        DWORD_PTR position = 0;
        if (dialog != nullptr &&
            SendMessageTimeoutW(GetDlgItem(dialog, IDC_EXPORT_PROGRESS_BAR), PBM_GETPOS, 0, 0, SMTO_NORMAL, 1000,
                                &position) != 0 &&
            position >= 330) {
            SuspendThread(capture.ui_thread);
            capture.saved = save_window(capture.main_window, capture.out);
            ResumeThread(capture.ui_thread);
            return 0;
        }
        Sleep(2);
    }
    return 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 6) {
        return 2;
    }
    const std::wstring folder = arguments[1];
    const int kind = _wtoi(arguments[2]);
    const DWORD seconds = static_cast<DWORD>(_wtoi(arguments[3]));
    Capture capture;
    capture.out = arguments[4];
    const std::wstring clip = arguments[5];
    LocalFree(arguments);

    MainWindow* window = open_viewer(folder, kind, seconds);
    if (clip != L"-") {
        window->set_clip_path_chooser([&clip](HWND, std::wstring& path) {
            path = clip;
            return true;
        });
    }
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, 0, FALSE, DUPLICATE_SAME_ACCESS);
    const KernelHandle ui_thread(self);
    capture.ui_thread = ui_thread.get();
    capture.main_window = window->handle();
    const KernelHandle watcher(CreateThread(nullptr, 0, capture_progress, &capture, 0, nullptr));
    SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(IDC_CMD_EXPORT_CLIP, 0), 0);
    WaitForSingleObject(watcher.get(), 60000);
    DestroyWindow(window->handle());
    return capture.saved ? 0 : 1;
}
