// The main window's guarded device commands: the dialogs they show, the named mutex that warns
// when another copy of the viewer shows one, and the card folder they remember.
#include "app/MainWindow.h"

#include "base/Text.h"
#include "device/DeviceCard.h"
#include "device/DeviceDialogDriver.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <objbase.h>

namespace {

using namespace device_test;

class DeviceCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }

    DeviceCommandsTest() : window_(new MainWindow(6))
    {
        ShowWindow(window_->handle(), SW_SHOWNOACTIVATE);
        user_.chooses(card_.path());
    }
    ~DeviceCommandsTest() override
    {
        DestroyWindow(window_->handle());
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }

    void command(int id) { SendMessageW(window_->handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    TempFolder card_;
    CardUser user_;
    MainWindow* window_; // belongs to its window
};

TEST_F(DeviceCommandsTest, TheClockCommandWritesTheClockAndRemembersTheCard)
{
    const std::wstring start = window_->settings_folder();
    bool shown = false;
    const std::function<void(HWND)> script = [&](HWND dialog) {
        shown = true;
        click(GetDlgItem(dialog, IDOK));
    };
    on_next_dialog(L"日時設定", script);
    command(IDC_CMD_CLOCK_SETTING);
    EXPECT_TRUE(shown);
    EXPECT_EQ(window_->settings_folder(), card_.path());
    EXPECT_FALSE(dump(card_.file(L"DREC.INI"))["items"]["ItemClock"].is_null());
    EXPECT_NE(start, card_.path());
}

TEST_F(DeviceCommandsTest, AnotherCopyShowingASettingsDialogOnlyWarnsAndCancelKeepsTheFolder)
{
    // The other copy of the viewer: the named mutex exists while it shows its dialog.
    HANDLE other = CreateMutexW(nullptr, FALSE, L"KOLVANE_VIEWER");
    const std::wstring start = window_->settings_folder();
    bool shown = false;
    const std::function<void(HWND)> script = [&](HWND dialog) {
        shown = true;
        click(GetDlgItem(dialog, IDCANCEL));
    };
    on_next_dialog(L"本体設定", script);
    command(IDC_CMD_DEVICE_SETTINGS);
    CloseHandle(other);
    EXPECT_TRUE(shown);
    ASSERT_FALSE(user_.shown().empty());
    EXPECT_EQ(user_.shown()[0].text, load_text(texts::settings_dialog_elsewhere));
    EXPECT_EQ(window_->settings_folder(), start);
    EXPECT_FALSE(file_exists(card_.file(L"DREC.INI")));
}

TEST_F(DeviceCommandsTest, TheRestoreCommandRemembersTheCardEvenWhenTheUserStopsThere)
{
    user_.answers({IDCANCEL});
    command(IDC_CMD_RESTORE_CARD);
    EXPECT_EQ(user_.texts(), std::vector<std::wstring>{load_text(texts::confirm_restore)});
    EXPECT_EQ(window_->settings_folder(), card_.path());
    // While no command runs, no copy of the viewer holds the name.
    HANDLE probe = CreateMutexW(nullptr, FALSE, L"KOLVANE_VIEWER");
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    CloseHandle(probe);
}

} // namespace
