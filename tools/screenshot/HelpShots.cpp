// help-shots CARD OUTDIR: takes the help page's pictures (22101.bmp ... 22124.bmp in OUTDIR) from
// the real main window playing the sample card in CARD (its EVENT\0001, CONT\0001 and IMAGE
// 0001 folders), each cut to the element of the window that the page explains there.
#include "app/MainWindow.h"
#include "device/FolderChooser.h"
#include "panels/ConfigPanel.h"
#include "panels/ConsolePanel.h"
#include "panels/InfoPanel.h"
#include "panels/LineChart.h"
#include "panels/SpeedMeter.h"
#include "panels/StopWatch.h"
#include "panels/Thumbnail.h"
#include "panels/CircleChart.h"
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

// The main window's elements on the screen: the panels' own windows, and the parts of the
// console and the right column as the layout places them.
class Elements {
public:
    explicit Elements(MainWindow& window) : window_(window) {}

    RECT whole() const { return window_rect(window_.handle()); }
    RECT caption_and_menu() const
    {
        RECT outer = whole();
        POINT client{0, 0};
        ClientToScreen(window_.handle(), &client);
        outer.bottom = client.y;
        return outer;
    }
    RECT player() const { return window_rect(window_.player().handle()); }
    RECT console() const { return window_rect(window_.console().handle()); }
    // The six buttons at the console's left end, the position bar, the offset readout at its right.
    RECT console_buttons() const { return part_of(console(), 0, 249); }
    RECT position_bar() const { return part_of(console(), 240, width_of(console()) - 90); }
    RECT offset_readout() const { return part_of(console(), width_of(console()) - 100, width_of(console())); }
    RECT column() const
    {
        const RECT info = window_rect(window_.info_panel().handle());
        return {info.left, info.top, info.right, console().top};
    }
    RECT info() const { return window_rect(window_.info_panel().handle()); }
    RECT speed() const
    {
        const RECT meter = window_rect(window_.speed_meter().handle());
        return {info().left, meter.top - 7, info().right, meter.bottom + 7};
    }
    RECT stopwatch() const { return window_rect(window_.stopwatch().handle()); }
    RECT circle_chart() const { return window_rect(window_.circle_chart().handle()); }
    RECT config() const { return window_rect(window_.config_panel().handle()); }
    RECT line_chart() const { return window_rect(window_.line_chart().handle()); }
    RECT thumbnails() const { return window_rect(window_.thumbnails().handle()); }

private:
    static int width_of(const RECT& rect) { return rect.right - rect.left; }
    static RECT part_of(const RECT& rect, int from, int to) { return {rect.left + from, rect.top, rect.left + to, rect.bottom}; }

    MainWindow& window_;
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
    const Elements at(*window);

    // Nothing open yet: the start-up animation.
    window->show_animation();
    pump_for(2000);
    save(22123, at.whole());

    // An event recording, paused two and a half seconds before its detection instant.
    open(*window, card + L"\\EVENT\\0001", data_type_event, 2000);
    window->player().pause();
    const IVideoInfo* info = window->player().info();
    const int detection = info != nullptr ? info->detection_index() : -1;
    if (detection >= 75) {
        window->player().seek(detection - 75);
        window->position_update();
    }
    pump_for(1000);
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
    save(22111, at.circle_chart());
    save(22112, at.config());
    save(22113, at.line_chart());
    // Stepped to the detection instant itself.
    if (detection >= 0) {
        window->player().seek(detection);
        window->position_update();
    }
    pump_for(800);
    save(22121, at.console());

    // The version dialog over the main window.
    shoot_dialog(22122, L"バージョン情報", IDOK, [&] { SendMessageW(handle, WM_COMMAND, IDC_CMD_VERSION, 0); });

    // A continuous recording at play, with a lap measurement under way: its marks on the bar.
    open(*window, card + L"\\CONT\\0001", data_type_continuous, 3000);
    StopWatch& stopwatch = window->stopwatch();
    stopwatch.buttonClicked(&stopwatch.start_stop_button());
    pump_for(4000);
    stopwatch.buttonClicked(&stopwatch.lap_reset_button());
    pump_for(3000);
    stopwatch.buttonClicked(&stopwatch.lap_reset_button());
    pump_for(2500);
    save(22114, at.whole());
    save(22115, at.console());
    save(22116, at.line_chart());
    save(22110, at.stopwatch());

    // An image folder.
    open(*window, card + L"\\IMAGE\\0001", data_type_image, 4000);
    save(22117, at.whole());
    save(22118, at.thumbnails());
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
