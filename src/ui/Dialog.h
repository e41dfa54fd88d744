#pragma once
// Every dialog is a Dialog: an object bound to a dialog-template resource, whose messages
// arrive at its virtual dialogProc.
//
// Deriving: keep the dialog's inputs and outputs as fields; override dialogProc as a switch
// that calls named handlers (centre on the owner in WM_INITDIALOG) and passes everything else
// to Dialog::dialogProc. Unlike a Window, a Dialog is not deleted by its window: whoever calls
// doModal deletes the object afterwards, and a dialog that owns modeless pages deletes them in
// its destructor.
#include <windows.h>

class Dialog {
public:
    explicit Dialog(int templateId) : templateId_(templateId) {}
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // The base ends the dialog on IDOK and IDCANCEL with that id as the result and returns
    // TRUE; every other message returns FALSE.
    virtual INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Shows the dialog modally over `owner` and returns its result. When the dialog cannot be
    // made, a warning box owned by `owner` shows the system's text and the result is -1.
    INT_PTR doModal(HWND owner);
    // Makes the dialog as a modeless window of `parent` and shows it with `showCommand`;
    // returns its handle, or null after the same warning box.
    HWND createModeless(HWND parent, int showCommand);

    int templateId() const { return templateId_; }
    HWND owner() const { return owner_; }
    // Set on WM_INITDIALOG.
    HWND handle() const { return handle_; }
    // The object bound to a dialog window between WM_INITDIALOG and WM_DESTROY, or null.
    static Dialog* fromHandle(HWND handle);

private:
    friend INT_PTR CALLBACK sharedDialogProc(HWND, UINT, WPARAM, LPARAM);

    int templateId_;
    HWND owner_ = nullptr;
    HWND handle_ = nullptr;
};

// The one dialog procedure of every Dialog. WM_INITDIALOG carries the object in lParam and
// binds it to the dialog's handle; every message of a bound handle goes to the object's
// dialogProc, others return FALSE; WM_DESTROY unbinds the handle.
INT_PTR CALLBACK sharedDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
