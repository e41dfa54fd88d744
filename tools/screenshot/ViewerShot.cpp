// viewer-shot FOLDER KIND SECONDS OUT.bmp: opens the recording in FOLDER (KIND 0 event,
// 1 image, 2 continuous) in the real main window, lets it play for SECONDS and saves what the
// window shows as a 24-bit BMP. For the documentation's pictures.
#include "app/MainWindow.h"
#include "recording/DataType.h"
#include "ui/GdiHandles.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void pump_for(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    MSG message;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool save_window(HWND window, const std::wstring& path)
{
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const WindowDc screen(nullptr);
    const MemoryDc memory(screen.get());
    const GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    {
        const SelectedObject selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), frame.left, frame.top, SRCCOPY);
    }

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height));
    GetDIBits(memory.get(), bitmap.get(), 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        return false;
    }
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    return std::fclose(out) == 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 5) {
        return 2;
    }
    const std::wstring folder = arguments[1];
    const int kind = _wtoi(arguments[2]);
    const DWORD seconds = static_cast<DWORD>(_wtoi(arguments[3]));
    const std::wstring out = arguments[4];
    LocalFree(arguments);

    CoInitialize(nullptr);
    auto* window = new MainWindow(6);
    ShowWindow(window->handle(), SW_SHOW);
    UpdateWindow(window->handle());
    set_current_data_type(kind);
    window->open_recording(folder);
    pump_for(seconds * 1000);
    const bool saved = save_window(window->handle(), out);
    DestroyWindow(window->handle());
    return saved ? 0 : 1;
}
