#include "ui/DialogMutex.h"

#include "platform/Messages.h"
#include "base/Text.h"

DialogMutex::DialogMutex(HWND mainWindow) : name_(L"KOLVANE_VIEWER")
{
    HANDLE mutex = CreateMutexW(nullptr, TRUE, name_.c_str());
    if (mutex == nullptr) {
        return;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
        show_warning(mainWindow, load_text(5060)); // another copy shows a settings dialog
        return;
    }
    ReleaseMutex(mutex);
    handle_ = mutex;
}

DialogMutex::~DialogMutex()
{
    if (handle_ != nullptr) {
        CloseHandle(handle_);
    }
}
