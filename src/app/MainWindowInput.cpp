// The main window's keys and dropped folders. Each playback key acts as its console button
// would and only while that button is enabled; the step keys move a frame of an event recording
// and a second of a continuous one, as the position bar moves it.
#include "app/MainWindow.h"

#include "app/KeySeek.h"
#include "panels/ConsolePanel.h"
#include "panels/StopWatch.h"
#include "platform/SystemHandles.h"
#include "playback/VideoPlayer.h"
#include "recording/IVideoInfo.h"
#include "ResourceIds.h"
#include "ui/ImageButton.h"
#include "ui/PlayButton.h"
#include "ui/PlayTrackBar.h"

#include <shellapi.h>

namespace {

bool enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }

// The first dropped item that is a folder; empty when none is.
std::wstring dropped_folder(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        if (length == 0 || DragQueryFileW(drop, i, path.data(), length + 1) != length) {
            continue;
        }
        path.resize(length);
        const DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            return path;
        }
    }
    return {};
}

} // namespace

void MainWindow::key_command(int command)
{
    // The image mode's console is disabled with every button on it.
    if (!enabled(console_->handle())) {
        return;
    }
    switch (command) {
    case IDC_KEY_PLAY_PAUSE:
        click_if_enabled(console_->playButton());
        break;
    case IDC_KEY_PREVIOUS_RECORDING:
        click_if_enabled(console_->previousButton());
        break;
    case IDC_KEY_NEXT_RECORDING:
        click_if_enabled(console_->nextButton());
        break;
    case IDC_KEY_STEP_BACK:
        seek_by_key(KeySeek::back);
        break;
    case IDC_KEY_STEP_FORWARD:
        seek_by_key(KeySeek::forward);
        break;
    case IDC_KEY_FIRST_FRAME:
        seek_by_key(KeySeek::first);
        break;
    case IDC_KEY_LAST_FRAME:
        seek_by_key(KeySeek::last);
        break;
    default:
        break;
    }
}

void MainWindow::click_if_enabled(ImageButton& button)
{
    if (enabled(button.handle())) {
        console_->buttonClicked(&button);
    }
}

void MainWindow::seek_by_key(int key)
{
    const auto move = static_cast<KeySeek::Move>(key);
    const bool backwards = move == KeySeek::back || move == KeySeek::first;
    if (!console_->continuous()) {
        // Event recordings: the frame step buttons, enabled where there is a frame to go to.
        ImageButton& button = backwards ? console_->backButton() : console_->forwardButton();
        if (enabled(button.handle()) && player_->info() != nullptr) {
            player_->seek(KeySeek::eventTarget(move, player_->frame(), player_->info()->frame_count()));
        }
        return;
    }
    // Continuous recordings: the step buttons move by chapters; a second is the position bar's.
    if (!enabled(console_->positionBar().handle()) || player_->state() == VideoPlayer::nothing_open) {
        return;
    }
    std::optional<int> lowest;
    if (stopwatch_->measuring()) {
        const TrackMarks marks = stopwatch_->marks();
        lowest = marks.lastLap() != 0 ? marks.lastLap() : marks.start;
    }
    const int chapter_start = player_->chapter() * VideoPlayer::chapter_frames;
    const int target =
        KeySeek::continuousTarget(move, chapter_start + player_->frame(), player_->total_frames(), lowest);
    const int then_play = player_->state() == VideoPlayer::playing ? 1 : 0;
    const int target_chapter = target / VideoPlayer::chapter_frames;
    if (then_play == 1 || target_chapter == player_->chapter()) {
        // As a drag of the bar: the picture within the chapter first, then the position over all.
        player_->seek(target - chapter_start);
        player_->seek_total(target, then_play);
        return;
    }
    // Standing, into another chapter: it opens at its first frame, then the frame is asked for.
    player_->seek_total(target_chapter * VideoPlayer::chapter_frames, 0);
    player_->seek(target - target_chapter * VideoPlayer::chapter_frames);
}

void MainWindow::on_drop_files(HDROP drop)
{
    std::wstring folder;
    {
        const DropHandle dropped(drop);
        folder = dropped_folder(dropped.get());
    }
    // A dialog of the viewer's own is open over a disabled window: nothing opens under it.
    if (folder.empty() || !enabled(handle())) {
        return;
    }
    // As if the folder had been chosen with 開く: the question before laps are lost first.
    pause_if_playing();
    if (laps_may_be_cleared()) {
        open_recording(folder);
    }
}
