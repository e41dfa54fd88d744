// The console panel driving a real player over recordings written by the sample card writer:
// its buttons and position bar are pressed, held and dragged with mouse messages.
#include "panels/ConsolePanel.h"

#include "panels/IConsoleOwner.h"
#include "panels/IConsoleStopwatch.h"
#include "playback/IPlayerOwner.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "recording/IVideoInfo.h"
#include "samplecard/CardWriter.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "ui/AlphaImage.h"
#include "ui/SkinPixels.h"
#include "ui/ImageButton.h"
#include "ui/PlayButton.h"
#include "ui/PlayTrackBar.h"
#include "ui/TrackToolTip.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int panelWidth = 870;
constexpr int skinLeftEnd = 223; // the background's left end
constexpr int eventFrames = 60;
constexpr int detectionFrame = 30;

// A stopwatch that measures from given marks, and keeps what the console asked of it.
class ScriptedStopwatch : public IConsoleStopwatch {
public:
    bool measuring() const override { return measuring_; }
    int lapCount() const override { return laps_; }
    TrackMarks marks() const override { return marks_; }
    void endMeasuring() override { ++ends; }
    void enableStartStop() override { ++enables; }

    bool measuring_ = false;
    int laps_ = 0;
    TrackMarks marks_;
    int ends = 0;
    int enables = 0;
};

// Stands in for the main window: passes every player change to the console first, and keeps
// the recordings the console asked for.
class ConsoleHost : public IPlayerOwner, public IConsoleOwner {
public:
    explicit ConsoleHost(HWND window) : window_(window) {}

    void position_update() override
    {
        if (console != nullptr) {
            console->refresh();
        }
    }
    void reset_display() override {}
    void reset_console() override
    {
        if (console != nullptr) {
            console->reset();
        }
    }
    bool stopwatch_measuring() const override { return false; }
    void end_stopwatch_measuring() override {}
    void stopwatch_then_play(int) override {}
    void chapter_opening() override {}
    void chapter_opened() override {}
    HWND owner_window() const override { return window_; }
    void step_recording(bool previous) override { steps.push_back(previous); }

    ConsolePanel* console = nullptr;
    std::vector<bool> steps;

private:
    HWND window_;
};

void click(const ImageButton& button, int x = 5, int y = 5)
{
    SendMessageW(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

class ConsolePanelTest : public ::testing::Test {
protected:
    ConsolePanelTest() : host_(0, 0, 900, 600), owner_(host_.get())
    {
        player_ = new VideoPlayer(host_.get(), owner_);
        console_ = new ConsolePanel(host_.get(), owner_, *player_, stopwatch_, 0, 500, panelWidth);
        owner_.console = console_;
    }
    ~ConsolePanelTest() override
    {
        ReleaseCapture();
        DestroyWindow(console_->handle());
        DestroyWindow(player_->handle());
        set_current_data_type(data_type_event);
    }

    void openEvent()
    {
        samplecard::EventOptions options;
        options.frames = eventFrames;
        options.detection_frame = detectionFrame;
        options.sound = false;
        options.picture = {160, 120, 50};
        const std::wstring folder = card_.file(L"EVENT");
        samplecard::write_event_folder(folder, options);
        open(folder, data_type_event);
        player_->open(folder);
    }

    // Two chapters: a full one of 600 frames and a last one of 20.
    void openContinuous()
    {
        samplecard::ContinuousOptions options;
        options.chapters = 2;
        options.last_chapter_frames = 20;
        options.sound = false;
        options.picture = {64, 48, 40};
        const std::wstring folder = card_.file(L"CONT");
        samplecard::write_continuous_folder(folder, options);
        open(folder, data_type_continuous);
        player_->load_chapters(folder);
        ASSERT_TRUE(player_->open_chapter(0));
    }

    void open(const std::wstring&, int dataType)
    {
        set_current_data_type(dataType);
        console_->setDataType(dataType);
        console_->setStepToolTips(dataType);
        player_->set_opened_kind(dataType);
    }

    bool waitForState(int state) { return pumpUntil([&] { return player_->state() == state; }, 10000); }

    // The pixel of the readout's glyph `index` (every glyph before it 13 wide) at its middle row.
    COLORREF readoutPixel(int index) const
    {
        return pixelOf(console_->handle(), panelWidth - ConsolePanel::readoutFromRight + index * 13 + 6,
                       ConsolePanel::readoutTop + 14);
    }

    TempFolder card_;
    HostWindow host_;
    ConsoleHost owner_;
    ScriptedStopwatch stopwatch_;
    MessageRecorder messages_;
    VideoPlayer* player_ = nullptr;
    ConsolePanel* console_ = nullptr;
};

TEST_F(ConsolePanelTest, NothingOpenDisablesAllSixButtonsAndReadsZero)
{
    console_->refresh();
    for (const ImageButton* button : {static_cast<ImageButton*>(&console_->playButton()), &console_->stopButton(),
                                      &console_->previousButton(), &console_->nextButton(), &console_->backButton(),
                                      &console_->forwardButton()}) {
        EXPECT_FALSE(IsWindowEnabled(button->handle()));
    }
    EXPECT_EQ(console_->readout(), L"\u00b100.0");
    // Clicking the disabled buttons changes nothing.
    click(console_->playButton());
    EXPECT_EQ(player_->state(), VideoPlayer::nothing_open);
    EXPECT_TRUE(owner_.steps.empty());
}

TEST_F(ConsolePanelTest, ControlsStandWhereTheSkinExpectsThem)
{
    const auto placeOf = [&](HWND control) {
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, console_->handle(), reinterpret_cast<POINT*>(&place), 2);
        return place;
    };
    const auto inside = [](const RECT& place, int width) {
        return place.left >= 0 && place.top >= 0 && place.right <= width && place.bottom <= ConsolePanel::height;
    };
    // The six buttons stand side by side, in this order, on the skin's left end (which draws
    // their sockets).
    const AlphaImage leftEnd(skinLeftEnd);
    int right = 0;
    const std::vector<const ImageButton*> buttons{&console_->playButton(), &console_->stopButton(),
                                                  &console_->previousButton(), &console_->nextButton(),
                                                  &console_->backButton(), &console_->forwardButton()};
    for (const ImageButton* button : buttons) {
        const RECT place = placeOf(button->handle());
        EXPECT_TRUE(inside(place, leftEnd.width()));
        EXPECT_GE(place.left, right) << "buttons overlap";
        right = place.right;
    }
    // The position bar follows them and ends before the readout; a wider panel widens it by as
    // much.
    const RECT bar = placeOf(console_->positionBar().handle());
    EXPECT_GE(bar.left, right);
    EXPECT_LT(bar.right, panelWidth - ConsolePanel::readoutFromRight);
    EXPECT_TRUE(inside(bar, panelWidth));
    MoveWindow(console_->handle(), 0, 500, 1000, ConsolePanel::height, TRUE);
    const RECT wider = placeOf(console_->positionBar().handle());
    EXPECT_EQ(wider.left, bar.left);
    EXPECT_EQ(wider.right - bar.right, 1000 - panelWidth);

    EXPECT_FALSE(console_->playButton().drawsEdge());
    EXPECT_FALSE(console_->stopButton().drawsEdge());
    EXPECT_TRUE(console_->nextButton().drawsEdge());
}

TEST_F(ConsolePanelTest, PlayPauseAndStopDriveThePlayerAndTheButtonsLook)
{
    openEvent();
    EXPECT_EQ(player_->state(), VideoPlayer::stopped);
    EXPECT_TRUE(IsWindowEnabled(console_->playButton().handle()));
    EXPECT_FALSE(IsWindowEnabled(console_->stopButton().handle())) << "at frame 0 there is nothing to stop";

    click(console_->playButton());
    EXPECT_EQ(player_->state(), VideoPlayer::playing);
    EXPECT_TRUE(console_->playButton().isPlaying()) << "the pause look while playing";
    ASSERT_TRUE(pumpUntil([&] { return player_->frame() >= 5; }));
    EXPECT_TRUE(IsWindowEnabled(console_->stopButton().handle()));

    click(console_->playButton());
    EXPECT_EQ(player_->state(), VideoPlayer::paused);
    EXPECT_FALSE(console_->playButton().isPlaying());
    const int pausedAt = player_->frame();
    // A pause as long as 30 frames.
    ASSERT_TRUE(pumpUntilTimerStrikes(1000));
    EXPECT_EQ(player_->frame(), pausedAt) << "a pause holds the frame";

    // Resuming without sound goes on from where it paused: the clock did not run on during the
    // pause (it would put the first frame after it some 30 frames further on).
    click(console_->playButton());
    EXPECT_EQ(player_->state(), VideoPlayer::playing);
    ASSERT_TRUE(pumpUntil([&] { return player_->frame() > pausedAt + 1; }));
    EXPECT_LT(player_->frame(), pausedAt + 20);

    click(console_->stopButton());
    EXPECT_EQ(player_->state(), VideoPlayer::stopped);
    EXPECT_EQ(player_->frame(), 0);
    EXPECT_FALSE(console_->playButton().isPlaying());
    EXPECT_FALSE(IsWindowEnabled(console_->stopButton().handle()));
    EXPECT_EQ(stopwatch_.ends, 1) << "stop ends the stopwatch's measuring (or disables its button)";
}

TEST_F(ConsolePanelTest, ReleasingOutsideAButtonDoesNotClickIt)
{
    openEvent();
    click(console_->playButton(), 60, 5);
    click(console_->nextButton(), 5, -10);
    EXPECT_EQ(player_->state(), VideoPlayer::stopped);
    EXPECT_TRUE(owner_.steps.empty());
    click(console_->nextButton());
    click(console_->previousButton());
    EXPECT_EQ(owner_.steps, (std::vector<bool>{false, true})) << "next, then previous";
}

TEST_F(ConsolePanelTest, HeldStepButtonStepsEveryTickAndStopsWhenDisabled)
{
    openEvent();
    const ImageButton& back = console_->backButton();
    const ImageButton& forward = console_->forwardButton();
    EXPECT_FALSE(IsWindowEnabled(back.handle()));
    // Held forward steps one frame at once and one more per tick.
    SendMessageW(forward.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(player_->frame(), 1);
    ASSERT_TRUE(pumpUntil([&] { return player_->frame() >= 4; }));
    SendMessageW(forward.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    const int reached = player_->frame();
    ASSERT_TRUE(pumpUntilTimerStrikes(300)); // three repeats' time
    EXPECT_EQ(player_->frame(), reached) << "no step after the release";
    EXPECT_TRUE(IsWindowEnabled(back.handle()));

    // Held back runs down to frame 0, where the button is disabled and the repeat ends.
    SendMessageW(back.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ASSERT_TRUE(pumpUntil([&] { return player_->frame() == 0; }));
    EXPECT_FALSE(IsWindowEnabled(back.handle()));
    ASSERT_TRUE(pumpUntilTimerStrikes(300));
    EXPECT_FALSE(KillTimer(back.handle(), 0)) << "the repeat timer ended itself";
    SendMessageW(back.handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(player_->state(), VideoPlayer::stopped);
}

TEST_F(ConsolePanelTest, ReadoutAndMarkerFollowTheDetectionInstant)
{
    openEvent();
    ASSERT_NE(player_->info(), nullptr);
    ASSERT_EQ(player_->info()->detection_index(), detectionFrame);
    const int kind = player_->info()->kind_code();
    ASSERT_TRUE(kind == 1 || kind == 2);
    EXPECT_EQ(console_->positionBar().detectionIndex(), detectionFrame);
    EXPECT_EQ(console_->positionBar().kindCode(), kind);
    EXPECT_EQ(console_->positionBar().maximum(), eventFrames - 1);
    EXPECT_EQ(console_->readout(), L"-01.0") << "frame 0 is 30 frames before the instant";

    player_->seek(detectionFrame + 3);
    EXPECT_EQ(console_->readout(), L"+00.1");
    // Stepping back frame by frame passes the instant: 2 frames after, on it, 5 before.
    const ImageButton& back = console_->backButton();
    click(back);
    click(back);
    click(back);
    EXPECT_EQ(player_->frame(), detectionFrame);
    EXPECT_EQ(console_->readout(), L"\u00b100.0");
    for (int i = 0; i < 5; ++i) {
        click(back);
    }
    EXPECT_EQ(console_->readout(), L"-00.1");
    // The glyphs on the screen: "-", "0", "0", ...
    UpdateWindow(console_->handle());
    EXPECT_EQ(readoutPixel(0), pictureColour(248, 6, 14));
    EXPECT_EQ(readoutPixel(1), pictureColour(237, 6, 14));
    // Somewhere the plus-minus sign differs from the minus.
    int x = 0;
    int y = 0;
    while (pictureColour(248, x, y) == pictureColour(236, x, y)) {
        x = (x + 1) % 13;
        y += x == 0 ? 1 : 0;
        ASSERT_LT(y, 28);
    }
    for (int i = 0; i < 5; ++i) {
        click(console_->forwardButton());
    }
    UpdateWindow(console_->handle());
    EXPECT_EQ(console_->readout(), L"\u00b100.0");
    EXPECT_EQ(pixelOf(console_->handle(), panelWidth - ConsolePanel::readoutFromRight + x, ConsolePanel::readoutTop + y),
              pictureColour(236, x, y))
        << "the plus-minus sign replaced the minus";
}

TEST_F(ConsolePanelTest, DraggingTheBarMovesThePictureAndPlayingResumesOnRelease)
{
    openEvent();
    click(console_->playButton());
    ASSERT_EQ(player_->state(), VideoPlayer::playing);
    HWND bar = console_->positionBar().handle();
    RECT client{};
    GetClientRect(bar, &client);
    // Press near the start, away from the thumb, then drag to about three quarters.
    const int travel = client.right - 14;
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(travel / 2, 10));
    EXPECT_NE(player_->state(), VideoPlayer::playing) << "dragging holds the playback";
    SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(travel * 3 / 4, 10));
    const int target = console_->positionBar().value();
    EXPECT_GT(target, eventFrames / 2);
    ASSERT_TRUE(pumpUntil([&] { return player_->frame() == target; }))
        << "the timer passes the value on: " << player_->frame() << " " << target << " "
        << console_->positionBar().value() << " " << player_->state() << " " << (GetCapture() == bar);
    ASSERT_TRUE(pumpUntil([&] { return player_->shown_frame() == target; })) << "and the picture follows";

    SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(travel * 3 / 4, 10));
    EXPECT_EQ(player_->state(), VideoPlayer::playing);
    EXPECT_GE(player_->frame(), target);
}

TEST_F(ConsolePanelTest, ADragCutShortByAnotherWindowStillResumesPlaying)
{
    openEvent();
    click(console_->playButton());
    ASSERT_EQ(player_->state(), VideoPlayer::playing);
    HWND bar = console_->positionBar().handle();
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 10));
    ASSERT_NE(player_->state(), VideoPlayer::playing);
    // A message box takes the mouse in mid-drag; the button comes up over it.
    SetCapture(console_->handle());
    ReleaseCapture();
    EXPECT_EQ(player_->state(), VideoPlayer::playing);
}

TEST_F(ConsolePanelTest, DraggingWhilePausedLeavesThePlayerStill)
{
    openEvent();
    HWND bar = console_->positionBar().handle();
    SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 10));
    SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(300, 10));
    EXPECT_EQ(player_->state(), VideoPlayer::stopped);
    EXPECT_EQ(player_->frame(), console_->positionBar().value());
    EXPECT_GT(player_->frame(), 0);
}

TEST_F(ConsolePanelTest, ContinuousModeStepsByChapterAndRestartsAtTheEnd)
{
    openContinuous();
    EXPECT_EQ(player_->total_frames(), 620);
    EXPECT_EQ(console_->positionBar().maximum(), 619);
    EXPECT_EQ(console_->toolTip().text(console_->forwardButton().handle()), L"次のチャプターへ");
    EXPECT_EQ(console_->toolTip().text(console_->backButton().handle()), L"前のチャプターへ");
    EXPECT_FALSE(IsWindowEnabled(console_->backButton().handle()));

    // Presses do not step frames in this mode; the click steps a chapter.
    click(console_->forwardButton());
    EXPECT_EQ(player_->chapter(), 1);
    EXPECT_EQ(console_->positionBar().value(), 600 + player_->frame());
    EXPECT_FALSE(IsWindowEnabled(console_->forwardButton().handle()));
    EXPECT_TRUE(IsWindowEnabled(console_->backButton().handle()));
    click(console_->backButton());
    EXPECT_EQ(player_->chapter(), 0);

    // Stopped on the very last frame, play starts again from the first chapter.
    player_->seek_total(619, 0);
    ASSERT_EQ(player_->chapter(), 1);
    ASSERT_EQ(player_->frame(), 19);
    ASSERT_EQ(player_->state(), VideoPlayer::stopped);
    click(console_->playButton());
    EXPECT_EQ(player_->chapter(), 0);
    EXPECT_EQ(player_->state(), VideoPlayer::playing);
    EXPECT_LT(player_->frame(), 5);
    EXPECT_EQ(stopwatch_.enables, 1) << "a stopwatch without laps may start now";
}

TEST_F(ConsolePanelTest, ContinuousBackStepNeverLandsBeforeTheLastMark)
{
    openContinuous();
    click(console_->forwardButton());
    ASSERT_EQ(player_->chapter(), 1);
    stopwatch_.measuring_ = true;
    stopwatch_.marks_.start = 300;
    stopwatch_.marks_.laps = {450, 0};
    click(console_->backButton());
    EXPECT_EQ(player_->chapter(), 0);
    EXPECT_EQ(player_->frame(), 450) << "raised from the chapter's start to the last lap";
    EXPECT_TRUE(console_->positionBar().barrier());
    EXPECT_EQ(console_->positionBar().marks().lastLap(), 450);
    EXPECT_EQ(console_->readout(), L"\u00b100.0") << "no readout in this mode";
}

TEST_F(ConsolePanelTest, DisabledPanelHidesTheStepButtonsAndTheBar)
{
    openEvent();
    console_->enable(false);
    EXPECT_FALSE(IsWindowEnabled(console_->handle()));
    EXPECT_FALSE(IsWindowVisible(console_->backButton().handle()));
    EXPECT_FALSE(IsWindowVisible(console_->forwardButton().handle()));
    EXPECT_FALSE(IsWindowVisible(console_->positionBar().handle()));
    EXPECT_TRUE(IsWindowVisible(console_->playButton().handle()));
    EXPECT_FALSE(IsWindowEnabled(console_->playButton().handle()));
    // A disabled panel does not refresh: its buttons stay disabled while the player plays.
    player_->play(0);
    EXPECT_FALSE(IsWindowEnabled(console_->playButton().handle()));
    player_->stop();

    console_->enable(true);
    console_->refresh();
    EXPECT_TRUE(IsWindowVisible(console_->positionBar().handle()));
    EXPECT_TRUE(IsWindowEnabled(console_->playButton().handle()));
    EXPECT_EQ(console_->toolTip().text(console_->forwardButton().handle()), L"コマ送り");
    EXPECT_EQ(console_->toolTip().text(console_->backButton().handle()), L"コマ戻し");
}

} // namespace
