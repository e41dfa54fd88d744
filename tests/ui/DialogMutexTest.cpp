// The named mutex that warns when another copy of the viewer shows a settings dialog, within
// one process and across two.
#include "ui/DialogMutex.h"

#include "platform/SystemHandles.h"
#include "platform/Messages.h"
#include "base/Text.h"
#include "ui/Dialog.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

bool isTheMutexWarning(const ShownMessage& shown, HWND owner)
{
    return shown.owner == owner && shown.text == load_text(texts::settings_dialog_elsewhere) && shown.captionId == texts::caption_warning &&
           shown.style == UINT(MB_ICONWARNING);
}

TEST(DialogMutex, SecondHolderInOneProcessIsWarnedAndTheNameGoesWithTheLastHolder)
{
    MessageRecorder recorder;
    HostWindow mainWindow(0, 0, 100, 100);
    {
        DialogMutex first(mainWindow.get());
        EXPECT_TRUE(first.held());
        EXPECT_TRUE(recorder.shown().empty());
        {
            DialogMutex second(mainWindow.get());
            EXPECT_FALSE(second.held());
            ASSERT_EQ(recorder.shown().size(), 1u);
            EXPECT_TRUE(isTheMutexWarning(recorder.shown()[0], mainWindow.get()));
        }
    }
    DialogMutex again(mainWindow.get());
    EXPECT_TRUE(again.held());
    EXPECT_EQ(recorder.shown().size(), 1u);
}

// Runs this test program again as a second copy of the viewer and returns its exit code.
DWORD runSecondCopy()
{
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" " + to_wide(secondViewerFlag);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return 0xFFFFFFFF;
    }
    const KernelHandle thread(process.hThread);
    const KernelHandle running(process.hProcess);
    DWORD code = 0xFFFFFFFE;
    if (WaitForSingleObject(running.get(), 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(running.get(), &code);
    } else {
        TerminateProcess(running.get(), 1);
    }
    return code;
}

TEST(DialogMutex, SecondCopyOfTheProgramWarnsAndStillShowsItsDialog)
{
    {
        MessageRecorder recorder;
        DialogMutex first(nullptr);
        ASSERT_TRUE(first.held());
        EXPECT_EQ(runSecondCopy(), 3u) << "bit 0: warned, bit 1: dialog shown and ended with OK";
    }
    // With no copy holding it, the other copy opens its dialog without a word.
    EXPECT_EQ(runSecondCopy(), 2u);
}

// The dialog of the second copy: notes whether it was on the screen, then ends with OK.
class VisibleCheckDialog : public Dialog {
public:
    VisibleCheckDialog() : Dialog(30100) {}

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITDIALOG) {
            SetTimer(handle(), 1, 50, nullptr);
        } else if (message == WM_TIMER) {
            KillTimer(handle(), 1);
            wasVisible = IsWindowVisible(handle()) != FALSE;
            EndDialog(handle(), IDOK);
            return TRUE;
        }
        return Dialog::dialogProc(message, wParam, lParam);
    }

    bool wasVisible = false;
};

std::vector<ShownMessage> secondCopyMessages;

int noteMessage(HWND owner, const std::wstring& text, int captionId, UINT style)
{
    secondCopyMessages.push_back({owner, text, captionId, style});
    return IDOK;
}

} // namespace

int runSecondViewer()
{
    set_message_handler(noteMessage);
    HostWindow mainWindow(0, 0, 200, 150);
    DialogMutex mutex(mainWindow.get());
    VisibleCheckDialog dialog;
    const INT_PTR result = dialog.doModal(mainWindow.get());
    int code = 0;
    if (secondCopyMessages.size() == 1 && isTheMutexWarning(secondCopyMessages[0], mainWindow.get())) {
        code |= 1;
    }
    if (result == IDOK && dialog.wasVisible && secondCopyMessages.size() <= 1) {
        code |= 2;
    }
    return code;
}
