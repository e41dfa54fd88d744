// The viewer's keys under Wine: each reaches its command through the accelerator table, acts as
// its console button does and not at all while that button is disabled; the thumbnail strip
// keeps its arrows in the image mode.
#include "ShellFixture.h"

#include "device/FolderChooser.h"
#include "panels/ConsolePanel.h"
#include "panels/ImageListView.h"
#include "panels/Thumbnail.h"
#include "playback/VideoPlayer.h"
#include "recording/IVideoInfo.h"
#include "ResourceIds.h"
#include "ui/ImageButton.h"
#include "ui/PlayButton.h"
#include "ui/PlayTrackBar.h"

#include <vector>

namespace {

class KeyboardTest : public ShellFixture {
protected:
    VideoPlayer& player() { return window_->player(); }
    ConsolePanel& console() { return window_->console(); }
    int position() { return player().chapter() * 600 + player().frame(); }

    // Stops the playing recording where it stands, by its key.
    void pause_by_key()
    {
        ASSERT_EQ(player().state(), VideoPlayer::playing);
        ASSERT_TRUE(press(VK_SPACE));
        ASSERT_EQ(player().state(), VideoPlayer::paused);
    }
};

TEST_F(KeyboardTest, EveryKeyOfTheTableBecomesItsCommand)
{
    std::vector<int> commands;
    MessageWindow main([&](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && HIWORD(wParam) == 1 && lParam == 0) {
            commands.push_back(LOWORD(wParam));
        }
        return message == WM_COMMAND;
    });
    keys_main_ = main.get();
    const std::pair<WPARAM, bool> keys[] = {{VK_SPACE, false}, {VK_LEFT, false}, {VK_RIGHT, false}, {VK_HOME, false},
                                            {VK_END, false},   {VK_PRIOR, false}, {VK_NEXT, false}, {'O', true},
                                            {'C', true},       {'S', true},       {'E', true}};
    for (const auto& [key, control] : keys) {
        EXPECT_TRUE(press(key, control, false, main.get())) << key;
    }
    EXPECT_EQ(commands, (std::vector<int>{IDC_KEY_PLAY_PAUSE, IDC_KEY_STEP_BACK, IDC_KEY_STEP_FORWARD,
                                          IDC_KEY_FIRST_FRAME, IDC_KEY_LAST_FRAME, IDC_KEY_PREVIOUS_RECORDING,
                                          IDC_KEY_NEXT_RECORDING, IDC_CMD_OPEN, IDC_CMD_COPY, IDC_CMD_SAVE_FRAME,
                                          IDC_CMD_EXPORT_CLIP}));
    commands.clear();
    // The letters without Ctrl, and Space held down, are no commands.
    EXPECT_FALSE(press('S', false, false, main.get()));
    EXPECT_TRUE(press(VK_SPACE, false, true, main.get())) << "a held Space is swallowed";
    // In the image mode the arrows go on to the thumbnail strip; the other keys stay the viewer's.
    set_current_data_type(data_type_image);
    EXPECT_FALSE(press(VK_LEFT, false, false, main.get()));
    EXPECT_FALSE(press(VK_RIGHT, false, false, main.get()));
    EXPECT_TRUE(press(VK_HOME, false, false, main.get()));
    EXPECT_EQ(commands, (std::vector<int>{IDC_KEY_FIRST_FRAME}));
}

TEST_F(KeyboardTest, AnEventRecordingPlaysPausesAndStepsFrameByFrame)
{
    open(event_folder(L"0001"), data_type_event);
    pause_by_key();
    ASSERT_TRUE(press(VK_SPACE));
    EXPECT_EQ(player().state(), VideoPlayer::playing) << "Space again goes on playing";
    pause_by_key();

    ASSERT_TRUE(press(VK_HOME));
    EXPECT_EQ(player().frame(), 0);
    ASSERT_TRUE(press(VK_RIGHT));
    ASSERT_TRUE(press(VK_RIGHT));
    EXPECT_EQ(player().frame(), 2);
    ASSERT_TRUE(press(VK_LEFT));
    EXPECT_EQ(player().frame(), 1);
    ASSERT_TRUE(press(VK_END));
    EXPECT_EQ(player().frame(), 44);
    EXPECT_NE(player().state(), VideoPlayer::playing) << "steps leave the recording standing";
    pumpUntil([&] { return player().shown_frame() == 44; }, 5000);
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(KeyboardTest, NoKeyActsWhileItsButtonIsDisabled)
{
    const std::wstring first = event_folder(L"0001");
    const std::wstring second = event_folder(L"0002");
    open(first, data_type_event);
    pause_by_key();
    ASSERT_TRUE(press(VK_HOME));
    ASSERT_TRUE(press(VK_RIGHT));
    ASSERT_TRUE(press(VK_RIGHT));
    ASSERT_EQ(player().frame(), 2);
    // Each button disabled by hand, then its keys pressed: nothing moves.
    EnableWindow(console().forwardButton().handle(), FALSE);
    EnableWindow(console().backButton().handle(), FALSE);
    EnableWindow(console().playButton().handle(), FALSE);
    EnableWindow(console().nextButton().handle(), FALSE);
    EnableWindow(console().previousButton().handle(), FALSE);
    for (const WPARAM key : {VK_RIGHT, VK_END, VK_LEFT, VK_HOME, VK_SPACE, VK_NEXT, VK_PRIOR}) {
        EXPECT_TRUE(press(key)) << key;
        EXPECT_EQ(player().frame(), 2) << key;
        EXPECT_NE(player().state(), VideoPlayer::playing) << key;
        EXPECT_EQ(window_->current_folder(), first) << key;
    }
    // Enabled again, Page Down and Page Up open the neighbours.
    console().refresh();
    ASSERT_TRUE(press(VK_NEXT));
    EXPECT_EQ(window_->current_folder(), second);
    ASSERT_TRUE(press(VK_PRIOR));
    EXPECT_EQ(window_->current_folder(), first);
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(KeyboardTest, AContinuousRecordingStepsBySecondsAcrossItsChapters)
{
    open(continuous_folder(L"CONT", 2, 600), data_type_continuous);
    pause_by_key();
    ASSERT_TRUE(press(VK_HOME));
    EXPECT_EQ(position(), 0);
    ASSERT_TRUE(press(VK_RIGHT));
    EXPECT_EQ(position(), 10) << "a second is ten frames";
    ASSERT_TRUE(press(VK_END));
    EXPECT_EQ(player().chapter(), 1);
    EXPECT_EQ(position(), 1199);
    EXPECT_TRUE(pumpUntil([&] { return player().shown_frame() == 599; }, 5000)) << "its picture shown";
    for (int i = 0; i < 61; ++i) {
        ASSERT_TRUE(press(VK_LEFT));
    }
    EXPECT_EQ(player().chapter(), 0) << "back over the chapter change";
    EXPECT_EQ(position(), 589);
    EXPECT_TRUE(pumpUntil([&] { return player().shown_frame() == 589; }, 5000));
    // Playing, a step goes on playing from the new place.
    ASSERT_TRUE(press(VK_SPACE));
    ASSERT_EQ(player().state(), VideoPlayer::playing);
    ASSERT_TRUE(press(VK_RIGHT));
    EXPECT_EQ(player().state(), VideoPlayer::playing);
    EXPECT_GE(position(), 599);
    // The position bar stands for the seconds: disabled, the arrows do nothing.
    pause_by_key();
    const int standing = position();
    EnableWindow(console().positionBar().handle(), FALSE);
    for (const WPARAM key : {VK_RIGHT, VK_LEFT, VK_HOME, VK_END}) {
        ASSERT_TRUE(press(key));
        EXPECT_EQ(position(), standing) << key;
    }
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(KeyboardTest, TheImageModeLeavesTheArrowsToTheStripAndCopiesWithCtrlC)
{
    open(image_folder(L"IMAGE", 3), data_type_image);
    ASSERT_TRUE(pumpUntil([&] { return window_->thumbnails().finished(); }, 10000));
    HWND list = window_->thumbnails().list().handle();
    EXPECT_FALSE(press(VK_RIGHT, false, false, list));
    EXPECT_EQ(window_->thumbnails().selected(), 1) << "the strip moved on by itself";
    const int state = player().state();
    EXPECT_TRUE(press(VK_SPACE));
    EXPECT_EQ(player().state(), state) << "the console and its buttons are disabled";

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    ASSERT_TRUE(press('C', true));
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP)) << "Ctrl+C is the picture's コピー";
}

TEST_F(KeyboardTest, CtrlOShowsTheFolderChooser)
{
    int asked = 0;
    const FolderChoiceHandler previous =
        set_folder_choice_handler([&](const std::wstring&, HWND owner, wchar_t (&)[MAX_PATH]) {
            EXPECT_EQ(owner, handle_);
            ++asked;
            return false;
        });
    EXPECT_TRUE(press('O', true));
    set_folder_choice_handler(previous);
    EXPECT_EQ(asked, 1);
}

} // namespace
