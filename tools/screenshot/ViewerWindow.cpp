#include "ViewerWindow.h"

#include "app/MainWindow.h"
#include "recording/DataType.h"

#include "ScreenCapture.h"

#include <objbase.h>

MainWindow* open_viewer(const std::wstring& folder, int kind, DWORD seconds)
{
    CoInitialize(nullptr);
    auto* window = new MainWindow(6);
    ShowWindow(window->handle(), SW_SHOW);
    UpdateWindow(window->handle());
    set_current_data_type(kind);
    window->open_recording(folder);
    pump_for(seconds * 1000);
    return window;
}
