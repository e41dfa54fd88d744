// The ファイル menu's export in the real main window under Wine: the item's text and its grey
// state, the name proposed, a finished file, and a cancel or a failure that leave nothing.
#include "ProgressCancel.h"
#include "ShellFixture.h"
#include "app/MainWindow.h"
#include "ResourceIds.h"

#include "base/Text.h"
#include "platform/SystemHandles.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "samplecard/CardWriter.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstring>

namespace {

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class ClipExportShellTest : public ShellFixture {
protected:
    ClipExportShellTest()
    {
        window_->set_clip_path_chooser([this](HWND owner, std::wstring& path) {
            ++questions_;
            proposed_ = path;
            EXPECT_EQ(owner, handle_);
            path = target_;
            return !target_.empty();
        });
    }

    void export_clip() { SendMessageW(handle_, WM_COMMAND, MAKEWPARAM(IDC_CMD_EXPORT_CLIP, 0), 0); }

    // The ファイル menu's export item as the menu shows it when it opens.
    MENUITEMINFOW export_item(std::wstring& text)
    {
        HMENU file_menu = GetSubMenu(GetMenu(handle_), 0);
        SendMessageW(handle_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file_menu), 0);
        wchar_t buffer[128] = {};
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_STRING;
        info.dwTypeData = buffer;
        info.cch = 128;
        GetMenuItemInfoW(file_menu, IDC_CMD_EXPORT_CLIP, FALSE, &info);
        text = buffer;
        return info;
    }

    std::wstring target_;
    std::wstring proposed_;
    int questions_ = 0;
};

TEST_F(ClipExportShellTest, TheItemFollowsOpenAndIsGreyWithNothingToExport)
{
    std::wstring text;
    EXPECT_TRUE(export_item(text).fState & MFS_GRAYED);
    EXPECT_EQ(load_text(texts::export_menu_item), text);
    EXPECT_EQ(L"動画ファイルに書き出す(&E)...\tCtrl+E", text);
    HMENU file_menu = GetSubMenu(GetMenu(handle_), 0);
    EXPECT_EQ(IDC_CMD_OPEN, static_cast<int>(GetMenuItemID(file_menu, 0)));
    EXPECT_EQ(IDC_CMD_EXPORT_CLIP, static_cast<int>(GetMenuItemID(file_menu, 1)));
    // The shortcut with nothing open asks nothing.
    export_clip();
    EXPECT_EQ(0, questions_);

    samplecard::EventOptions options;
    options.frames = 60;
    options.picture = {160, 120, 50};
    samplecard::write_event_folder(card_.file(L"0001"), options);
    window_->open_recording(card_.file(L"0001"));
    EXPECT_FALSE(export_item(text).fState & MFS_GRAYED);
}

TEST_F(ClipExportShellTest, AnEventRecordingIsWrittenUnderTheProposedDateAndTime)
{
    samplecard::EventOptions options;
    options.frames = 60;
    options.detection_frame = 30;
    options.picture = {160, 120, 50};
    options.start = samplecard::CivilTime{2026, 12, 8, 9, 30, 15};
    samplecard::write_event_folder(card_.file(L"0001"), options);
    window_->open_recording(card_.file(L"0001"));
    ASSERT_EQ(VideoPlayer::playing, window_->player().state());
    target_ = card_.file(L"clip.avi");
    export_clip();
    EXPECT_EQ(1, questions_);
    // The first frame's date and time (not the header's detection instant, a second in).
    EXPECT_EQ(L"20261208_093015.avi", proposed_);
    EXPECT_NE(VideoPlayer::playing, window_->player().state()); // paused for the export
    EXPECT_TRUE(messages_.shown().empty());
    ASSERT_TRUE(exists(target_));
    EXPECT_FALSE(exists(target_ + L".part"));
    const std::vector<uint8_t> file = read_bytes(target_);
    ASSERT_GT(file.size(), 12u);
    EXPECT_EQ(0, std::memcmp(file.data() + 8, "AVI ", 4));
}

TEST_F(ClipExportShellTest, CancellingInTheProgressWindowLeavesNothingAndTheEarlierFile)
{
    samplecard::ContinuousOptions options;
    options.chapters = 3;
    options.picture = {160, 120, 50};
    samplecard::write_continuous_folder(card_.file(L"CONT"), options);
    set_current_data_type(data_type_continuous);
    window_->open_recording(card_.file(L"CONT"));
    target_ = card_.file(L"clip.avi");
    const std::vector<uint8_t> earlier = {'o', 'l', 'd'};
    write_bytes(target_, earlier);

    // キャンセル is pressed as the progress window comes up: it is handled after the first turn
    // of work (which the window asked for first), in the middle of the recording.
    HWND cancelled = nullptr;
    {
        const ProgressCancel cancel(texts::export_progress_caption);
        ASSERT_TRUE(window_->clip_export_applies());
        export_clip();
        cancelled = cancel.cancelled();
    }
    EXPECT_EQ(1, questions_);
    EXPECT_NE(nullptr, cancelled);
    EXPECT_EQ(earlier, read_bytes(target_));
    EXPECT_FALSE(exists(target_ + L".part"));
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(ClipExportShellTest, AFileThatCannotBeWrittenIsToldAndLeavesNothing)
{
    samplecard::EventOptions options;
    options.frames = 30;
    options.picture = {160, 120, 50};
    samplecard::write_event_folder(card_.file(L"0001"), options);
    window_->open_recording(card_.file(L"0001"));
    target_ = card_.file(L"missing\\clip.avi");
    export_clip();
    ASSERT_EQ(1u, messages_.shown().size());
    EXPECT_EQ(texts::caption_warning, messages_.shown()[0].captionId);
    EXPECT_NE(std::wstring::npos, messages_.shown()[0].text.find(target_));
    EXPECT_FALSE(exists(target_));
    EXPECT_FALSE(exists(target_ + L".part"));
}

} // namespace
