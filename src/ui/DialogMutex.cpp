#include "ui/DialogMutex.h"

#include "platform/Messages.h"
#include "base/Text.h"

DialogMutex::DialogMutex(HWND mainWindow) : name_(L"KOLVANE_VIEWER")
{
    KernelHandle mutex(CreateMutexW(nullptr, TRUE, name_.c_str()));
    if (!mutex) {
        return;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ReleaseMutex(mutex.get());
        mutex.reset();
        show_warning(mainWindow, load_text(texts::settings_dialog_elsewhere)); // another copy shows a settings dialog
        return;
    }
    ReleaseMutex(mutex.get());
    handle_ = std::move(mutex);
}

DialogMutex::~DialogMutex() = default;
