#pragma once
// Warns when another running copy of the viewer shows one of the device-settings dialogs.
// A command that opens such a dialog (settings, clock, card restore) holds a DialogMutex for
// as long as it runs; the mutex warns, it never blocks.
#include "platform/SystemHandles.h"

#include <windows.h>

#include <string>

class DialogMutex {
public:
    // Creates the named mutex "KOLVANE_VIEWER". When it existed already, lets it go again and
    // shows "別のTarvo_Viewerで設定ダイアログを開いています。" in a warning box owned by
    // `mainWindow`; otherwise gives up the ownership at once but keeps the handle, so that the
    // name exists (and warns other copies) until this object goes.
    explicit DialogMutex(HWND mainWindow);
    ~DialogMutex();
    DialogMutex(const DialogMutex&) = delete;
    DialogMutex& operator=(const DialogMutex&) = delete;

    // True while this object keeps the named mutex alive.
    bool held() const { return static_cast<bool>(handle_); }

private:
    std::wstring name_;
    KernelHandle handle_;
};
