#pragma once
// Every custom control, panel and the main window is a Window: an object bound one-to-one to a
// window handle, whose messages arrive at its virtual windowProc.
//
// Deriving: override windowProc as a switch that calls named handlers and passes everything
// else to Window::windowProc. Create the object with new and call create (or attach) once;
// from then on the window owns the object: it is deleted right after its window has handled
// WM_DESTROY, and nobody else deletes it.
#include <windows.h>

// The twelve arguments of CreateWindowExW, in its order.
struct CreationRecord {
    DWORD extendedStyle = 0;
    const wchar_t* className = nullptr;
    const wchar_t* windowName = nullptr;
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    HWND parent = nullptr;
    HMENU menu = nullptr; // or the child-window id
    HINSTANCE instance = GetModuleHandleW(nullptr);
    void* parameter = nullptr; // always null in this system
};

class Window {
public:
    // Registers the class "DefaultWindow" the first time any Window is made; throws
    // WindowException when that fails.
    Window();
    // Deleting an object whose window still exists detaches it: the window gets back the
    // procedure it had before and lives on without the object.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // The base passes the message on to the window's previous procedure, or to DefWindowProcW.
    virtual LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // CreateWindowExW with the record's fields, then takes the window over as attach does.
    // Messages sent during creation (WM_NCCREATE, WM_CREATE) reach only the class procedure.
    // Throws WindowException with the system's text when the window cannot be made.
    virtual void create(const CreationRecord& record);

    HWND handle() const { return handle_; }
    // The object bound to `handle`, or null.
    static Window* fromHandle(HWND handle);

    static constexpr const wchar_t* defaultClassName = L"DefaultWindow";

protected:
    // Takes over a window that exists already (a control made by a dialog template): installs
    // the shared procedure, remembers the one it replaces and binds the handle to this object.
    // A null handle, or one that another object holds already, leaves this object unattached.
    void attach(HWND handle);

private:
    friend LRESULT CALLBACK sharedWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void detach();

    HWND handle_ = nullptr;
    WNDPROC previousProcedure_ = nullptr;
    // Calls of windowProc under way; an object whose window is destroyed from inside one of
    // its own handlers is deleted only when the outermost call has returned.
    int activeCalls_ = 0;
    bool destroyed_ = false;
};

// The one procedure installed on every attached window: a handle bound to an object goes to
// the object's windowProc (and the object is deleted after WM_DESTROY), any other handle to
// DefWindowProcW.
LRESULT CALLBACK sharedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
