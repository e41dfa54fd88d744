#include "ui/Dialog.h"

#include "platform/Messages.h"
#include "platform/WindowsError.h"
#include "ui/HandleMap.h"
#include "ui/ProcedureFailure.h"

namespace {

HandleMap<Dialog>& dialogMap()
{
    static HandleMap<Dialog> map;
    return map;
}

// Dialog creation failures are not thrown: the user sees them at once.
void warnDialogFailure(HWND owner, DWORD error)
{
    show_warning(owner, format_error(error).message());
}

} // namespace

Dialog::~Dialog()
{
    // A modeless dialog deleted while its window lives must not be found through the map.
    if (handle_ != nullptr) {
        dialogMap().erase(handle_, this);
    }
}

INT_PTR Dialog::dialogProc(UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(handle_, id);
            return TRUE;
        }
    }
    return FALSE;
}

INT_PTR Dialog::doModal(HWND owner)
{
    owner_ = owner;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner,
                                           sharedDialogProc, reinterpret_cast<LPARAM>(this));
    if (result == -1) {
        warnDialogFailure(owner, GetLastError());
    }
    return result;
}

HWND Dialog::createModeless(HWND parent, int showCommand)
{
    owner_ = parent;
    HWND dialog = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                     sharedDialogProc, reinterpret_cast<LPARAM>(this));
    if (dialog == nullptr) {
        warnDialogFailure(parent, GetLastError());
        return nullptr;
    }
    ShowWindow(dialog, showCommand);
    return dialog;
}

Dialog* Dialog::fromHandle(HWND handle)
{
    return dialogMap().find(handle);
}

INT_PTR CALLBACK sharedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG && lParam != 0) {
        auto* object = reinterpret_cast<Dialog*>(lParam);
        object->handle_ = dialog;
        dialogMap().insert(dialog, object);
    }
    Dialog* object = dialogMap().find(dialog);
    if (object == nullptr) {
        return FALSE;
    }
    INT_PTR result = FALSE;
    try {
        result = object->dialogProc(message, wParam, lParam);
    } catch (...) {
        reportProcedureFailure();
    }
    if (message == WM_DESTROY) {
        dialogMap().erase(dialog, object);
    }
    return result;
}
