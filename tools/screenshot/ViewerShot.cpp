// viewer-shot FOLDER KIND SECONDS OUT.bmp [pause]: opens the recording in FOLDER (KIND 0 event,
// 1 image, 2 continuous) in the real main window, lets it play for SECONDS, with "pause" clicks
// the console's play/pause button, and saves what the window shows as a 24-bit BMP. For the
// documentation's pictures.
#include "app/MainWindow.h"
#include "panels/StopWatch.h"
#include "playback/VideoPlayer.h"
#include "ui/ImageButton.h"
#include "panels/ConsolePanel.h"
#include "ui/PlayButton.h"
#include "ui/GdiHandles.h"

#include "ScreenCapture.h"
#include "ViewerWindow.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

namespace {

void click(HWND button)
{
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// Plays on until the player has reached global frame `frame` (or has stopped).
void play_to(VideoPlayer& player, int frame)
{
    const DWORD start = GetTickCount();
    while (player.state() == VideoPlayer::playing && player.chapter() * 600 + player.frame() < frame &&
           GetTickCount() - start < 60000) {
        pump_for(20);
    }
}

void time_three_laps(MainWindow& window)
{
    VideoPlayer& player = window.player();
    StopWatch& stopwatch = window.stopwatch();
    player.seek_total(450, 1);
    play_to(player, 455);
    click(stopwatch.start_stop_button().handle());
    play_to(player, 555);
    click(stopwatch.lap_reset_button().handle());
    play_to(player, 655);
    click(stopwatch.lap_reset_button().handle());
    play_to(player, 755);
    click(stopwatch.start_stop_button().handle());
    play_to(player, 790);
    click(stopwatch.lap_list_button().handle());
    // The list opens over the stopwatch; moved aside as a user would, both show.
    HWND list = stopwatch.lap_list().handle();
    RECT place{};
    RECT column{};
    GetWindowRect(list, &place);
    GetWindowRect(stopwatch.handle(), &column);
    SetWindowPos(list, nullptr, column.left - (place.right - place.left) - 8, column.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr || count < 5 || count > 6) {
        return 2;
    }
    const bool pause = count == 6 && std::wstring(arguments[5]) == L"pause";
    const bool laps = count == 6 && std::wstring(arguments[5]) == L"laps";
    const std::wstring folder = arguments[1];
    const int kind = _wtoi(arguments[2]);
    const DWORD seconds = static_cast<DWORD>(_wtoi(arguments[3]));
    const std::wstring out = arguments[4];
    LocalFree(arguments);

    MainWindow* window = open_viewer(folder, kind, seconds);
    if (pause) {
        HWND play = window->console().playButton().handle();
        SendMessageW(play, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageW(play, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        pump_for(500);
    }
    if (laps) {
        time_three_laps(*window);
        pump_for(seconds * 1000);
    }
    const bool saved = save_window(window->handle(), out);
    DestroyWindow(window->handle());
    return saved ? 0 : 1;
}
