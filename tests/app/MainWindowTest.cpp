// The main window with recordings written by the sample card writer, under Wine.
#include "ShellFixture.h"
#include "ResourceIds.h"

#include "app/MainLayout.h"
#include "base/Exception.h"
#include "app/StartUp.h"
#include "base/Text.h"
#include "device/HelpPage.h"
#include "panels/ConfigPanel.h"
#include "panels/ConsolePanel.h"
#include "panels/InfoPanel.h"
#include "panels/SpeedMeter.h"
#include "panels/StopWatch.h"
#include "panels/Thumbnail.h"
#include "platform/ShellOpen.h"
#include "platform/SystemHandles.h"
#include "playback/VideoPlayer.h"
#include "recording/IVideoInfo.h"
#include "recording/DataType.h"
#include "samplecard/CardWriter.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "ui/ImageButton.h"
#include "ui/PlayButton.h"
#include "ui/PlayTrackBar.h"
#include "ui/TrackToolTip.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shellapi.h>

namespace {

// Clears the flag behind `result` for a child that has something left to paint.
BOOL CALLBACK note_unpainted_child(HWND child, LPARAM result)
{
    if (GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(result) = false;
    }
    return TRUE;
}

// Whether `window` and every window in it have painted all there is to paint.
bool all_painted(HWND window)
{
    if (GetUpdateRect(window, nullptr, FALSE)) {
        return false;
    }
    bool painted = true;
    EnumChildWindows(window, note_unpainted_child, reinterpret_cast<LPARAM>(&painted));
    return painted;
}

std::wstring window_text(HWND window)
{
    wchar_t text[1100] = {};
    GetWindowTextW(window, text, 1100);
    return text;
}

using MainWindowTest = ShellFixture;

// The player's rectangle in the main window's client coordinates.
Placement player_place(HWND main, HWND player)
{
    RECT rect{};
    GetWindowRect(player, &rect);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rect), 2);
    return Placement{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

TEST_F(MainWindowTest, StartsWithTheProgramTitleMenuAndSize)
{
    EXPECT_EQ(window_text(handle_), load_text(texts::program_title));
    RECT frame{};
    GetWindowRect(handle_, &frame);
    const Placement start =
        MainLayout::start_window(6, GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN));
    EXPECT_EQ(frame.left, start.x);
    EXPECT_EQ(frame.top, start.y);
    EXPECT_EQ(frame.right - frame.left, start.width);
    EXPECT_EQ(frame.bottom - frame.top, start.height);
    HMENU menu = GetMenu(handle_);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetMenuItemCount(menu), 3);
    wchar_t item[64] = {};
    GetMenuStringW(GetSubMenu(menu, 0), 0, item, 64, MF_BYPOSITION);
    EXPECT_STREQ(item, L"開く(&O)...");
    MINMAXINFO limits{};
    SendMessageW(handle_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, MainLayout::min_window_width);
    EXPECT_EQ(limits.ptMinTrackSize.y, start.height);
}

TEST_F(MainWindowTest, ThePlayerFollowsTheLayoutWhenTheWindowIsResized)
{
    for (const SIZE size : {SIZE{890, 725}, SIZE{1200, 900}}) {
        SetWindowPos(handle_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT client{};
        GetClientRect(handle_, &client);
        const MainLayout layout(client.right, client.bottom, current_data_type());
        EXPECT_EQ(player_place(handle_, window_->player().handle()), layout.player()) << size.cx;
    }
    // The start-up animation sits inside the player as the layout says.
    window_->show_animation();
    HWND animation = FindWindowExW(window_->player().handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(animation, nullptr);
    RECT client{};
    GetClientRect(handle_, &client);
    EXPECT_EQ(player_place(window_->player().handle(), animation),
              MainLayout(client.right, client.bottom, current_data_type()).animation());
}

TEST_F(MainWindowTest, OpeningAnEventRecordingPlaysItAndNamesItInTheTitle)
{
    window_->show_animation();
    EXPECT_TRUE(window_->animation_shown());
    const std::wstring folder = event_folder(L"0001");
    window_->open_recording(folder);
    EXPECT_FALSE(window_->animation_shown());
    EXPECT_EQ(window_->player().state(), VideoPlayer::playing);
    EXPECT_EQ(window_text(handle_), L"イベント記録表示モード " + folder + L" - Tarvo_Viewer");
    EXPECT_TRUE(messages_.shown().empty());
    ASSERT_TRUE(pumpUntil([&] { return window_->player().frame() > 5; }, 5000));
}

TEST_F(MainWindowTest, AFolderWithoutDataOfTheKindShowsTheMessageAndOpensNothing)
{
    set_current_data_type(data_type_continuous);
    const std::wstring folder = event_folder(L"0001");
    write_bytes(card_.file(L"0001\\1-001.dpc"), {1, 2, 3}); // two kinds, neither continuous
    window_->open_recording(folder);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, load_text(texts::no_data_of_kind));
    EXPECT_EQ(messages_.shown()[0].captionId, texts::caption_warning);
    EXPECT_EQ(messages_.shown()[0].owner, handle_);
    EXPECT_EQ(window_->player().state(), VideoPlayer::nothing_open);
    EXPECT_EQ(current_data_type(), data_type_event);
    EXPECT_EQ(window_text(handle_), load_text(texts::program_title));
}

TEST_F(MainWindowTest, AFolderOfOneOtherKindSwitchesToIt)
{
    samplecard::ContinuousOptions options;
    options.chapters = 2;
    options.chapter_frames = 10;
    options.picture = {160, 120, 50};
    const std::wstring folder = card_.file(L"CONT");
    samplecard::write_continuous_folder(folder, options);
    window_->open_recording(folder);
    EXPECT_EQ(current_data_type(), data_type_continuous);
    EXPECT_EQ(window_->player().chapter_count(), 2);
    EXPECT_EQ(window_->player().state(), VideoPlayer::playing);
    EXPECT_EQ(window_text(handle_).rfind(L"連続記録表示モード ", 0), 0u);
}

// The file name of the picture the player shows large.
std::wstring shown_picture(VideoPlayer& player)
{
    const FrameRecord* record = player.info() != nullptr ? player.info()->frame_record(0) : nullptr;
    return record != nullptr ? record->path.substr(record->path.find_last_of(L'\\') + 1) : L"";
}

TEST_F(MainWindowTest, AnImageFolderFillsTheStripInPlaceOfTheLineChartAndShowsItsFirstPicture)
{
    HWND strip = window_->thumbnails().handle();
    EXPECT_FALSE(IsWindowVisible(strip)) << "no strip in the event mode";
    const std::wstring folder = card_.file(L"IMAGE");
    samplecard::write_image_folder(folder, 5, 3, {160, 120, 50});
    set_current_data_type(data_type_image);
    window_->open_recording(folder);
    EXPECT_TRUE(IsWindowVisible(strip));
    EXPECT_TRUE(IsWindowEnabled(strip));
    RECT client{};
    GetClientRect(handle_, &client);
    RECT place{};
    GetWindowRect(strip, &place);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.top, client.bottom - 90);
    EXPECT_EQ(place.right - place.left, client.right);
    EXPECT_EQ(window_text(handle_).rfind(L"画像記録表示モード ", 0), 0u);
    ASSERT_TRUE(pumpUntil([&] { return window_->thumbnails().finished(); }, 10000));
    EXPECT_EQ(window_->thumbnails().total(), 3);
    EXPECT_EQ(window_->player().state(), VideoPlayer::stopped) << "the first picture is opened once all are in";
    ASSERT_TRUE(pumpUntil([&] { return window_->player().picture() != nullptr; }, 5000));
    EXPECT_EQ(shown_picture(window_->player()), L"1-001.dpc");

    // The strip's buttons open the picture they select.
    window_->thumbnails().step(Thumbnail::Step::last);
    EXPECT_EQ(shown_picture(window_->player()), L"1-003.dpc");
    window_->thumbnails().step(Thumbnail::Step::previous);
    EXPECT_EQ(shown_picture(window_->player()), L"1-002.dpc");
    EXPECT_TRUE(messages_.shown().empty());

    // Back to an event recording: the strip goes and is emptied.
    set_current_data_type(data_type_event);
    window_->open_recording(event_folder(L"0001"));
    EXPECT_FALSE(IsWindowVisible(strip));
    EXPECT_EQ(window_->thumbnails().total(), 0);
}

TEST_F(MainWindowTest, MoreThan600PicturesAreToldAndTheFirst600Listed)
{
    const std::wstring folder = card_.file(L"IMAGE");
    samplecard::write_image_folder(folder, 5, 601, {32, 24, 30});
    set_current_data_type(data_type_image);
    window_->open_recording(folder);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, load_text(texts::picture_limit));
    EXPECT_EQ(messages_.shown()[0].captionId, 5005);
    EXPECT_EQ(window_->thumbnails().total(), 600);
}

TEST_F(MainWindowTest, StepsToTheNeighbouringRecordingsAndStopsAtTheLast)
{
    event_folder(L"0001", 20);
    const std::wstring second = event_folder(L"0002", 20);
    const std::wstring third = event_folder(L"0010", 20);
    window_->open_recording(second);
    window_->step_recording(false);
    EXPECT_EQ(window_->current_folder(), third);
    window_->step_recording(false);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, load_text(texts::no_next_recording));
    EXPECT_EQ(window_->current_folder(), third) << "the open recording stays open";
    EXPECT_NE(window_->player().state(), VideoPlayer::nothing_open);
    window_->step_recording(true);
    EXPECT_EQ(window_->current_folder(), second);
}

TEST_F(MainWindowTest, SteppingFromAVanishedFolderClosesItWithTheMessage)
{
    const std::wstring first = event_folder(L"0001", 200);
    event_folder(L"0002", 20);
    window_->open_recording(first);
    window_->player().pause();
    ASSERT_TRUE(MoveFileW(first.c_str(), card_.file(L"0001-renamed").c_str()));
    window_->step_recording(false);
    ASSERT_FALSE(messages_.shown().empty());
    EXPECT_EQ(messages_.shown().back().text, load_text(texts::folder_moved));
    EXPECT_EQ(window_->player().state(), VideoPlayer::nothing_open);
}

TEST_F(MainWindowTest, QuittingAsksOnlyWhenSomethingIsOpenAndStayingGoesOnPlaying)
{
    messages_.answer(IDCANCEL);
    window_->open_recording(event_folder(L"0001", 300));
    ASSERT_EQ(window_->player().state(), VideoPlayer::playing);
    SendMessageW(handle_, WM_CLOSE, 0, 0);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, load_text(texts::confirm_exit));
    EXPECT_EQ(messages_.shown()[0].captionId, texts::caption_confirm);
    EXPECT_TRUE(IsWindow(handle_)) << "cancel keeps the window";
    EXPECT_EQ(window_->player().state(), VideoPlayer::playing) << "the question's pause is undone";
    const int frame = window_->player().frame();
    EXPECT_TRUE(pumpUntil([&] { return window_->player().frame() > frame + 3; }, 5000));

    // A recording the user had paused stays paused after a cancelled exit.
    window_->player().pause();
    SendMessageW(handle_, WM_CLOSE, 0, 0);
    EXPECT_EQ(messages_.shown().size(), 2u);
    EXPECT_EQ(window_->player().state(), VideoPlayer::paused);

    messages_.answer(IDOK);
    SendMessageW(handle_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(handle_));
}

TEST_F(MainWindowTest, TheHelpCommandPausesAndShowsItsMessageWhenThePageCannotBeOpened)
{
    window_->open_recording(event_folder(L"0001", 300));
    ASSERT_EQ(window_->player().state(), VideoPlayer::playing);
    set_shell_open_handler([](const std::wstring&, const std::wstring&) -> long {
        SetLastError(ERROR_NO_ASSOCIATION);
        return SE_ERR_NOASSOC;
    });
    SendMessageW(handle_, WM_COMMAND, IDC_CMD_HELP, 0);
    EXPECT_EQ(window_->player().state(), VideoPlayer::paused);
    // Written but not opened (no browser): the page's path, for the user to open by hand.
    const std::wstring page = helpFolder() + L"help.html";
    // Not even written (a temporary folder that does not exist): help cannot be shown.
    wchar_t temp[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"TMP", temp, MAX_PATH);
    SetEnvironmentVariableW(L"TMP", card_.file(L"no such folder").c_str());
    SendMessageW(handle_, WM_COMMAND, IDC_CMD_HELP, 0);
    SetEnvironmentVariableW(L"TMP", temp[0] != L'\0' ? temp : nullptr);
    set_shell_open_handler(nullptr);
    const std::wstring expected[] = {
        L"ヘルプを表示できません。\r\nWebブラウザで次のファイルを開いてください。\r\n" + page, load_text(texts::help_failed)};
    ASSERT_EQ(messages_.shown().size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(messages_.shown()[i].text, expected[i]);
        EXPECT_EQ(messages_.shown()[i].captionId, 5005);
        EXPECT_EQ(messages_.shown()[i].style & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
        EXPECT_EQ(messages_.shown()[i].owner, handle_);
    }
    EXPECT_TRUE(GetFileAttributesW(page.c_str()) != INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindowTest, QuittingWithNothingOpenAsksNothing)
{
    SendMessageW(handle_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(messages_.shown().empty());
    EXPECT_FALSE(IsWindow(handle_));
}

TEST_F(MainWindowTest, AGuardedCommandRemembersTheFolderChosenWithOk)
{
    window_->run_guarded([](std::wstring& folder) {
        folder = L"E:\\";
        return true;
    });
    EXPECT_EQ(window_->settings_folder(), L"E:\\");
    window_->run_guarded([](std::wstring& folder) {
        folder = L"F:\\";
        return false;
    });
    EXPECT_EQ(window_->settings_folder(), L"E:\\");
}

TEST(StartUp, COMAlreadyStartedOnTheThreadStopsTheStart)
{
    const ComUse com; // the thread has COM already: starting it again answers S_FALSE
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    try {
        run_viewer(SW_HIDE);
        ADD_FAILURE() << "started";
    } catch (const SystemException& failure) {
        EXPECT_EQ(failure.message(), load_text(texts::com_failed));
    }
    SetCurrentDirectoryW(folder);
}

TEST(StartUp, TheOperatingSystemCheckOnlyWarns)
{
    EXPECT_EQ(operating_system_warning(false, 0), texts::os_version_unknown);
    EXPECT_EQ(operating_system_warning(true, -1), texts::os_version_unknown);
    EXPECT_EQ(operating_system_warning(true, 4), texts::os_too_old);
    EXPECT_EQ(operating_system_warning(true, 5), 0);
    EXPECT_EQ(operating_system_warning(true, 10), 0);
}

// ---- the console ------------------------------------------------------------------------------

RECT child_rect(HWND child, HWND parent)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void click(const ImageButton& button)
{
    SendMessageW(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

TEST_F(MainWindowTest, ConsoleStandsAboveTheBottomStripAcrossTheWindow)
{
    RECT client{};
    GetClientRect(handle_, &client);
    const RECT console = child_rect(window_->console().handle(), handle_);
    EXPECT_EQ(console.left, 0);
    EXPECT_EQ(console.right, client.right);
    EXPECT_EQ(console.bottom, client.bottom - 90);
    EXPECT_EQ(console.bottom - console.top, 65);
    // It follows the window's size.
    SetWindowPos(handle_, nullptr, 0, 0, 1000, 800, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(handle_, &client);
    const RECT wider = child_rect(window_->console().handle(), handle_);
    EXPECT_EQ(wider.right, client.right);
    EXPECT_EQ(wider.bottom, client.bottom - 90);
    GetClientRect(window_->console().positionBar().handle(), &client);
    EXPECT_EQ(client.right, wider.right - 344);
}

TEST_F(MainWindowTest, ConsoleFollowsThePlayerFromOpeningOn)
{
    ConsolePanel& console = window_->console();
    EXPECT_FALSE(IsWindowEnabled(console.playButton().handle())) << "nothing open";
    window_->open_recording(event_folder(L"0001", 60));
    // Refreshed after opening and after playing started.
    EXPECT_TRUE(IsWindowEnabled(console.playButton().handle()));
    EXPECT_TRUE(console.playButton().isPlaying());
    EXPECT_EQ(console.positionBar().maximum(), 59);
    EXPECT_EQ(console.positionBar().detectionIndex(), 30);
    // Every tick reaches the console first.
    ASSERT_TRUE(pumpUntil([&] { return console.positionBar().value() >= 5; }, 5000));
    click(console.playButton());
    EXPECT_EQ(window_->player().state(), VideoPlayer::paused);
    EXPECT_FALSE(console.playButton().isPlaying());
    EXPECT_EQ(console.positionBar().value(), window_->player().frame());
    EXPECT_EQ(console.toolTip().text(console.forwardButton().handle()), L"コマ送り");
}

TEST_F(MainWindowTest, ConsoleIsDisabledInTheImageModeAndSwitchesToChapterSteps)
{
    ConsolePanel& console = window_->console();
    const std::wstring pictures = card_.file(L"IMAGE");
    samplecard::write_image_folder(pictures, 5, 3, {160, 120, 50});
    set_current_data_type(data_type_image);
    window_->open_recording(pictures);
    EXPECT_FALSE(IsWindowEnabled(console.handle()));
    EXPECT_FALSE(IsWindowEnabled(console.playButton().handle()));
    EXPECT_FALSE(IsWindowVisible(console.positionBar().handle()));
    EXPECT_FALSE(IsWindowVisible(console.forwardButton().handle()));

    samplecard::ContinuousOptions options;
    options.chapters = 2;
    options.chapter_frames = 10;
    options.picture = {160, 120, 50};
    const std::wstring continuous = card_.file(L"CONT");
    samplecard::write_continuous_folder(continuous, options);
    set_current_data_type(data_type_continuous);
    window_->open_recording(continuous);
    EXPECT_TRUE(IsWindowEnabled(console.handle()));
    EXPECT_TRUE(IsWindowVisible(console.positionBar().handle()));
    EXPECT_TRUE(IsWindowEnabled(console.playButton().handle()));
    EXPECT_TRUE(console.continuous());
    EXPECT_EQ(console.toolTip().text(console.forwardButton().handle()), L"次のチャプターへ");
    EXPECT_EQ(console.toolTip().text(console.backButton().handle()), L"前のチャプターへ");
}

TEST_F(MainWindowTest, APictureAfterAPausedEventReadsZeroOnTheDisabledConsole)
{
    ConsolePanel& console = window_->console();
    window_->open_recording(event_folder(L"0001", 60)); // detection at frame 30
    window_->player().seek(0); // held a second before the detection instant
    EXPECT_EQ(console.readout(), L"-01.0");

    open(image_folder(L"IMAGE", 2), data_type_image);
    EXPECT_FALSE(IsWindowEnabled(console.handle()));
    EXPECT_EQ(console.readout(), L"\u00b100.0") << "a picture has no detection instant";
}

TEST_F(MainWindowTest, MaximisedAndRestoredThePanelsRepaintWhereTheyNowStand)
{
    // The dark face of the info panel's, the stopwatch's and the config panel's backgrounds.
    const COLORREF panel_face = RGB(30, 34, 40);
    struct Mode {
        const char* what;
        int kind;
        std::wstring folder;
    };
    const Mode modes[] = {{"paused event", data_type_event, event_folder(L"0001", 60)},
                          {"paused continuous", data_type_continuous, continuous_folder(L"CONT", 2, 20)},
                          {"pictures", data_type_image, image_folder(L"IMAGE", 2)}};
    for (const Mode& mode : modes) {
        SCOPED_TRACE(mode.what);
        open(mode.folder, mode.kind);
        if (window_->player().state() == VideoPlayer::playing) {
            window_->player().pause(); // nothing asks the panels to draw any more
        }
        for (const int show : {SW_MAXIMIZE, SW_RESTORE}) {
            ShowWindow(handle_, show);
            ASSERT_TRUE(pumpUntil(
                [&] { return (IsZoomed(handle_) != FALSE) == (show == SW_MAXIMIZE) && all_painted(handle_); }));
            EXPECT_EQ(pixelOf(window_->info_panel().handle(), 200, 110), panel_face) << show;
            EXPECT_EQ(pixelOf(window_->stopwatch().handle(), 3, 3), panel_face) << show;
            EXPECT_EQ(pixelOf(window_->config_panel().handle(), 3, 3), panel_face) << show;
            RECT meter{};
            GetClientRect(window_->speed_meter().handle(), &meter);
            EXPECT_EQ(meter.bottom, MainLayout::speed_meter_max_height) << show;
            // Between the meter's well and the stopwatch, the column's face.
            RECT stopwatch{};
            GetWindowRect(window_->stopwatch().handle(), &stopwatch);
            MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&stopwatch), 2);
            if (show == SW_MAXIMIZE) {
                EXPECT_EQ(pixelOf(handle_, stopwatch.left + 100, stopwatch.top - 5), panel_face);
            }
        }
    }
}

TEST_F(MainWindowTest, ConsoleButtonsOpenTheNeighbouringRecordings)
{
    const std::wstring first = event_folder(L"0001", 20);
    const std::wstring second = event_folder(L"0002", 20);
    window_->open_recording(first);
    click(window_->console().nextButton());
    EXPECT_EQ(window_->current_folder(), second);
    EXPECT_EQ(window_->player().state(), VideoPlayer::playing);
    click(window_->console().previousButton());
    EXPECT_EQ(window_->current_folder(), first);
    EXPECT_TRUE(messages_.shown().empty());
}

} // namespace

