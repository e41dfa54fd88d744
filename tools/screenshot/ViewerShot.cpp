// viewer-shot FOLDER KIND SECONDS OUT.bmp: opens the recording in FOLDER (KIND 0 event,
// 1 image, 2 continuous) in the real main window, lets it play for SECONDS and saves what the
// window shows as a 24-bit BMP. For the documentation's pictures.
#include "WindowShot.h"
#include "app/MainWindow.h"
#include "recording/DataType.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>


int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 5) {
        return 2;
    }
    const std::wstring folder = arguments[1];
    const int kind = _wtoi(arguments[2]);
    const DWORD seconds = static_cast<DWORD>(_wtoi(arguments[3]));
    const std::wstring out = arguments[4];
    LocalFree(arguments);

    CoInitialize(nullptr);
    auto* window = new MainWindow(6);
    ShowWindow(window->handle(), SW_SHOW);
    UpdateWindow(window->handle());
    set_current_data_type(kind);
    window->open_recording(folder);
    pump_for(seconds * 1000);
    const bool saved = save_window(window->handle(), out);
    DestroyWindow(window->handle());
    return saved ? 0 : 1;
}
