// Folders dropped on the main window under Wine: the first folder among the dropped items opens
// as if chosen with 開く, after the question when laps would be lost; anything else is ignored.
#include "ShellFixture.h"

#include "base/Text.h"
#include "panels/StopWatch.h"
#include "playback/VideoPlayer.h"
#include "ui/ImageButton.h"
#include "ui/WindowUtilities.h"

#include <shlobj.h>

#include <cstring>
#include <vector>

namespace {

// The drop handle the shell hands over: a DROPFILES header followed by the wide paths, each
// ended by a null character and the whole list by one more.
HDROP make_drop(const std::vector<std::wstring>& paths)
{
    std::wstring list;
    for (const std::wstring& path : paths) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    const size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

class DropTest : public ShellFixture {
protected:
    void drop(const std::vector<std::wstring>& paths)
    {
        PostMessageW(handle_, WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop(paths)), 0);
        pumpPending();
    }

    // A click as the user makes it: nothing reaches a disabled button.
    static void click(ImageButton& button)
    {
        ASSERT_TRUE(isEnabled(button.handle()));
        SendMessageW(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }
};

TEST_F(DropTest, ADroppedFolderOpensAndPlays)
{
    const std::wstring folder = event_folder(L"0001");
    drop({folder});
    EXPECT_EQ(window_->current_folder(), folder);
    EXPECT_EQ(window_->player().state(), VideoPlayer::playing);
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(DropTest, TheFolderDecidesTheKindAsTheChooserDoes)
{
    // The current kind is the event's; the folder holds continuous chapters only.
    const std::wstring folder = continuous_folder(L"CONT", 2, 50);
    drop({card_.file(L"CONT\\Video0001.dmv"), folder});
    EXPECT_EQ(window_->current_folder(), folder) << "the first folder among the items";
    EXPECT_EQ(current_data_type(), data_type_continuous);
    EXPECT_EQ(window_->player().chapter_count(), 2);
}

TEST_F(DropTest, FilesAloneADisabledWindowAndFoldersWithoutRecordingsOpenNothing)
{
    const std::wstring folder = event_folder(L"0001");
    drop({card_.file(L"0001\\Video.dvt")});
    EXPECT_EQ(window_->player().state(), VideoPlayer::nothing_open);
    EXPECT_TRUE(messages_.shown().empty()) << "a file is no recording folder: nothing to tell";
    // Under a dialog of the viewer's own the window is disabled and takes nothing.
    EnableWindow(handle_, FALSE);
    drop({folder});
    EnableWindow(handle_, TRUE);
    EXPECT_EQ(window_->player().state(), VideoPlayer::nothing_open);
    make_folder(card_.file(L"EMPTY"));
    drop({card_.file(L"EMPTY")});
    ASSERT_EQ(messages_.shown().size(), 1u) << "as the chooser's folder would be told";
    EXPECT_EQ(messages_.shown()[0].text, load_text(texts::no_data_of_kind));
}

TEST_F(DropTest, LapsAreLostOnlyAfterTheQuestion)
{
    const std::wstring first = continuous_folder(L"0001", 2, 100);
    const std::wstring second = event_folder(L"0002");
    open(first, data_type_continuous);
    ASSERT_TRUE(pumpUntil([&] { return window_->player().frame() >= 3; }, 20000));
    click(window_->stopwatch().start_stop_button());
    ASSERT_TRUE(pumpUntil([&] { return window_->player().frame() >= 9; }, 20000));
    click(window_->stopwatch().start_stop_button());
    ASSERT_EQ(window_->stopwatch().lap_count(), 1);

    messages_.answer(IDCANCEL);
    drop({second});
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, load_text(texts::confirm_clear_laps));
    EXPECT_EQ(window_->current_folder(), first);
    EXPECT_EQ(window_->stopwatch().lap_count(), 1);

    messages_.answer(IDOK);
    drop({second});
    EXPECT_EQ(window_->current_folder(), second);
    EXPECT_EQ(current_data_type(), data_type_event);
    EXPECT_EQ(window_->stopwatch().lap_count(), 0);
}

} // namespace
