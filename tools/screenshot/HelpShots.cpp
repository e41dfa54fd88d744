// help-shots CARD OUTDIR: takes the help page's pictures (22101.bmp ... 22124.bmp in OUTDIR) from
// the real main window playing the sample card in CARD (its EVENT\0001, CONT\0001 and IMAGE
// 0001 folders), each cut to the element of the window that the page explains there.
#include "app/MainWindow.h"
#include "device/FolderChooser.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "recording/IVideoInfo.h"
#include "platform/Messages.h"
#include "ResourceIds.h"

#include "ScreenCapture.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>

namespace {

std::wstring out_folder;
int failures = 0;

void save(int id, const RECT& rect)
{
    if (!save_screen_rect(rect, out_folder + L"\\" + std::to_wstring(id) + L".bmp")) {
        ++failures;
    }
}

// The main window's elements, in client coordinates of a window W x H as the layout places them:
// the bottom strip of 90 pixels, the console of 65 above it, the right column 209 wide.
class Elements {
public:
    explicit Elements(HWND window) : window_(window)
    {
        RECT client{};
        GetClientRect(window, &client);
        width_ = client.right;
        strip_ = client.bottom - 90;
    }

    RECT whole() const { return window_rect(window_); }
    RECT caption_and_menu() const
    {
        RECT outer = window_rect(window_);
        outer.bottom = on_screen(0, 0, 1, 1).top;
        return outer;
    }
    RECT player() const { return on_screen(21, 0, width_ - 230, strip_ - 65); }
    RECT console() const { return on_screen(0, strip_ - 65, width_, 65); }
    RECT console_buttons() const { return on_screen(0, strip_ - 65, 249, 65); }
    RECT position_bar() const { return on_screen(240, strip_ - 65, width_ - 330, 65); }
    RECT offset_readout() const { return on_screen(width_ - 100, strip_ - 65, 100, 65); }
    RECT column() const { return on_screen(width_ - 209, 0, 209, strip_ - 65); }
    RECT info() const { return on_screen(width_ - 209, 0, 209, 125); }
    RECT speed() const { return on_screen(width_ - 209, 121, 209, strip_ - 544 + 14); }
    RECT stopwatch() const { return on_screen(width_ - 209, strip_ - 409, 209, 89); }
    RECT circle_chart() const { return on_screen(width_ - 209, strip_ - 320, 209, 165); }
    RECT config() const { return on_screen(width_ - 209, strip_ - 155, 209, 90); }
    RECT bottom_strip() const { return on_screen(0, strip_, width_, 90); }

private:
    RECT on_screen(int x, int y, int width, int height) const
    {
        POINT origin{x, y};
        ClientToScreen(window_, &origin);
        return {origin.x, origin.y, origin.x + width, origin.y + height};
    }

    HWND window_;
    int width_ = 0;
    int strip_ = 0;
};

struct DialogSearch {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK look_for_dialog(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<DialogSearch*>(parameter);
    wchar_t name[64] = L"";
    wchar_t title[128] = L"";
    GetClassNameW(window, name, 64);
    GetWindowTextW(window, title, 128);
    if (lstrcmpW(name, L"#32770") == 0 && IsWindowVisible(window) &&
        (search->title == nullptr || lstrcmpW(title, search->title) == 0)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Runs `show` (which shows a modal dialog on this thread) while a second thread waits for the
// dialog, lets it settle, saves it as picture `id` and closes it with `ending`.
template <typename Show>
void shoot_dialog(int id, const wchar_t* title, WPARAM ending, Show show)
{
    const DWORD thread = GetCurrentThreadId();
    std::thread photographer([=] {
        DialogSearch search{title, nullptr};
        for (int attempt = 0; attempt < 1000 && search.found == nullptr; ++attempt) {
            Sleep(10);
            EnumThreadWindows(thread, look_for_dialog, reinterpret_cast<LPARAM>(&search));
        }
        if (search.found == nullptr) {
            ++failures;
            return;
        }
        Sleep(2500); // the browser fills its tree and selects the folder
        save(id, window_rect(search.found));
        PostMessageW(search.found, WM_COMMAND, ending, 0);
    });
    show();
    photographer.join();
}

void open(MainWindow& window, const std::wstring& folder, int kind, DWORD milliseconds)
{
    set_current_data_type(kind);
    window.open_recording(folder);
    pump_for(milliseconds);
}

} // namespace

// A message box would wait for a click that never comes: the tool prints it and goes on.
int print_message(HWND, const std::wstring& text, int, UINT)
{
    fwprintf(stderr, L"message: %ls\n", text.c_str());
    ++failures;
    return IDOK;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count != 3) {
        return 2;
    }
    const std::wstring card = arguments[1];
    out_folder = arguments[2];
    LocalFree(arguments);

    CoInitialize(nullptr);
    set_message_handler(print_message);
    auto* window = new MainWindow(6);
    const HWND handle = window->handle();
    SetWindowPos(handle, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(handle, SW_SHOW);
    UpdateWindow(handle);
    const Elements at(handle);

    // Nothing open yet: the start-up animation.
    window->show_animation();
    pump_for(2000);
    save(22123, at.whole());

    // An event recording, paused a few seconds before its detection instant.
    open(*window, card + L"\\EVENT\\0001", data_type_event, 6000);
    window->player().pause();
    pump_for(800);
    save(22101, at.whole());
    save(22102, at.caption_and_menu());
    save(22103, at.player());
    save(22104, at.console());
    save(22105, at.console_buttons());
    save(22106, at.position_bar());
    save(22107, at.offset_readout());
    save(22124, at.column());
    save(22108, at.info());
    save(22109, at.speed());
    save(22110, at.stopwatch());
    save(22111, at.circle_chart());
    save(22112, at.config());
    save(22113, at.bottom_strip());
    // Stepped to the detection instant itself.
    if (const IVideoInfo* info = window->player().info(); info != nullptr && info->detection_index() >= 0) {
        window->player().seek(info->detection_index());
        window->position_update();
    }
    pump_for(800);
    save(22121, at.console());

    // The version dialog over the main window.
    shoot_dialog(22122, L"バージョン情報", IDOK, [&] { SendMessageW(handle, WM_COMMAND, IDC_CMD_VERSION, 0); });

    // A continuous recording at play.
    open(*window, card + L"\\CONT\\0001", data_type_continuous, 5000);
    save(22114, at.whole());
    save(22115, at.console());
    save(22116, at.bottom_strip());

    // An image folder.
    open(*window, card + L"\\IMAGE\\0001", data_type_image, 4000);
    save(22117, at.whole());
    save(22118, at.bottom_strip());
    save(22119, at.player());

    // The folder chooser on the event folder, with its data-type row.
    set_current_data_type(data_type_event);
    wchar_t folder[MAX_PATH] = {};
    wcsncpy(folder, (card + L"\\EVENT\\0001").c_str(), MAX_PATH - 1);
    shoot_dialog(22120, nullptr, IDCANCEL, [&] { chooseDataFolder(handle, folder); });

    window->player().pause();
    DestroyWindow(handle);
    return failures == 0 ? 0 : 1;
}
