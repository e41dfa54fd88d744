// The viewer's entry point.
#include "app/Messages.h"
#include "app/Text.h"
#include "app/WindowsError.h"

#include <windows.h>

namespace {

LRESULT CALLBACK frame_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int run_viewer(HINSTANCE instance, int show)
{
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = frame_procedure;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(294));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszClassName = L"TarvoViewerFrame";
    if (RegisterClassExW(&window_class) == 0) {
        throw format_error(GetLastError());
    }
    const std::wstring title = load_text(5001);
    HWND window = CreateWindowExW(0, window_class.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 800, 600, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        throw format_error(GetLastError());
    }
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    SetErrorMode(SEM_FAILCRITICALERRORS);
    run_outermost([&] { return run_viewer(instance, show); });
    return 0;
}
