// dialog-shot settings|clock CARD TAB OUT.bmp: shows the settings dialog (on tab TAB, 0 simple,
// 1 detailed) or the clock dialog for the card folder CARD, as the viewer does, and saves what it
// shows as a 24-bit BMP. The folder chooser answers CARD. For the documentation's pictures.
#include "ScreenCapture.h"
#include "device/DateTimeDialog.h"
#include "device/FolderChooser.h"
#include "device/GThresholdDialog09.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

struct Shot {
    Dialog* dialog = nullptr;
    HWND tab = nullptr;
    int tab_index = 0;
    std::wstring out;
    bool saved = false;
};
Shot shot;

void CALLBACK take_shot(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = shot.dialog->handle();
    if (dialog == nullptr || !IsWindowVisible(dialog)) {
        return;
    }
    KillTimer(nullptr, timer);
    HWND tab = FindWindowExW(dialog, nullptr, WC_TABCONTROLW, nullptr);
    if (tab != nullptr && SendMessageW(tab, TCM_GETCURSEL, 0, 0) != shot.tab_index) {
        // As a click on the tab does: the selection changes and the dialog is told.
        SendMessageW(tab, TCM_SETCURSEL, shot.tab_index, 0);
        NMHDR change{tab, static_cast<UINT_PTR>(GetDlgCtrlID(tab)), static_cast<UINT>(TCN_SELCHANGE)};
        SendMessageW(dialog, WM_NOTIFY, change.idFrom, reinterpret_cast<LPARAM>(&change));
    }
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump_for(500);
    shot.saved = save_window(dialog, shot.out);
    EndDialog(dialog, IDCANCEL);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 5) {
        return 2;
    }
    const std::wstring which = arguments[1];
    const std::wstring card = arguments[2];
    shot.tab_index = _wtoi(arguments[3]);
    shot.out = arguments[4];
    LocalFree(arguments);

    CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x3FFF};
    InitCommonControlsEx(&controls);
    set_folder_choice_handler([&card](const std::wstring&, HWND, wchar_t (&folder)[MAX_PATH]) {
        wcsncpy(folder, card.c_str(), MAX_PATH - 1);
        folder[MAX_PATH - 1] = L'\0';
        return true;
    });
    GThresholdDialog09 settings(card);
    DateTimeDialog clock(card);
    shot.dialog = which == L"clock" ? static_cast<Dialog*>(&clock) : &settings;
    SetTimer(nullptr, 0, 50, take_shot);
    shot.dialog->doModal(GetDesktopWindow());
    return shot.saved ? 0 : 1;
}
