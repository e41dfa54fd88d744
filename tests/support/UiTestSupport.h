#pragma once
// Help for the toolkit's window tests: a message pump with a deadline, a recorder that stands
// in for message boxes, and a plain visible top-level window to put children into.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Dispatches this thread's messages until `done` holds or `timeoutMs` has passed; returns
// whether `done` holds.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
// Dispatches what is waiting now.
void pumpPending();
// Dispatches this thread's messages until a timer of `ms` milliseconds, set now, has struck.
// Every timer of this thread that falls due before it is handed out before it, however slow the
// machine, so a test that has seen it strike knows that a shorter repeat still running would
// have struck too (true once it struck; false after a generous deadline).
bool pumpUntilTimerStrikes(UINT ms);

struct ShownMessage {
    HWND owner;
    std::wstring text;
    int captionId;
    UINT style;
};

// Takes the place of every message box while it lives and keeps what they would have shown.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<ShownMessage>& shown() const;
    // The button every box answers with from now on (IDOK at first).
    void answer(int button);
};

// Registers a window class of the test program once; returns its name (null on failure).
const wchar_t* testWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr);

// A visible top-level popup with a white background at a given place and size.
class HostWindow {
public:
    HostWindow(int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE, HWND parent = nullptr);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND get() const { return window_; }

private:
    HWND window_;
};

// The colour of one pixel of a window as it shows on the screen.
COLORREF pixelOf(HWND window, int x, int y);

// The command-line flag with which the test program plays a second running copy of the viewer.
inline constexpr const char* secondViewerFlag = "--second-viewer";
// That copy's work: takes the dialog mutex and shows a dialog; its exit code tells the first
// copy what happened (bit 0: it warned as it must; bit 1: its dialog was shown and ended OK).
int runSecondViewer();

// A hidden window that offers every message to `handler` first; a message it does not take
// (it returns false) goes on to the default procedure. Stands in for the owner windows that
// engines post to.
class MessageWindow {
public:
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam)>;
    explicit MessageWindow(Handler handler);
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    HWND get() const { return window_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    Handler handler_;
    HWND window_;
};
