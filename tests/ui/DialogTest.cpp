// Dialog objects on real dialog templates of the test program's resources.
#include "ui/Dialog.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/WindowsError.h"
#include "support/UiTestSupport.h"
#include "ui/WindowUtilities.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int testDialog = 30100;
constexpr int testPage = 30101;
constexpr int missingTemplate = 30999;
// In a script: a click on the OK button rather than a posted command.
constexpr WPARAM clickOk = 0xFFFF;

// Posts its script of commands to itself once shown, and notes what it saw.
class ScriptedDialog : public Dialog {
public:
    explicit ScriptedDialog(std::vector<WPARAM> script, int templateId = testDialog)
        : Dialog(templateId), script_(std::move(script))
    {
    }
    ~ScriptedDialog() override { *deleted_ = true; }

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_INITDIALOG:
            onInitDialog();
            break;
        case WM_COMMAND:
            commands.push_back(LOWORD(wParam));
            break;
        case WM_DESTROY:
            boundAtDestroy = Dialog::fromHandle(handle()) == this;
            break;
        case WM_APP: // (WM_USER is a dialog message, DM_GETDEFID)
            throw Exception(L"ダイアログの失敗");
        default:
            break;
        }
        return Dialog::dialogProc(message, wParam, lParam);
    }

    void watchDeletion(bool& deleted) { deleted_ = &deleted; }

    std::vector<WORD> commands;
    bool boundAtInit = false;
    bool boundAtDestroy = false;
    RECT placedAtInit{};

private:
    void onInitDialog()
    {
        boundAtInit = Dialog::fromHandle(handle()) == this;
        if (owner() != nullptr) {
            centreWindow(handle(), owner());
        }
        GetWindowRect(handle(), &placedAtInit);
        for (const WPARAM command : script_) {
            if (command == clickOk) {
                PostMessageW(GetDlgItem(handle(), IDOK), BM_CLICK, 0, 0); // a real click on OK
            } else {
                PostMessageW(handle(), WM_COMMAND, command, 0);
            }
        }
    }

    std::vector<WPARAM> script_;
    bool ignored_ = false;
    bool* deleted_ = &ignored_;
};

TEST(Dialog, ModalDialogEndsWithOkOrCancelAsItsResultAndIgnoresOtherCommands)
{
    HostWindow owner(100, 100, 500, 400);
    ScriptedDialog ok({IDOK});
    EXPECT_EQ(ok.doModal(owner.get()), IDOK);
    EXPECT_EQ(ok.owner(), owner.get());

    ScriptedDialog cancel({1234, 40004, IDCANCEL});
    EXPECT_EQ(cancel.doModal(owner.get()), IDCANCEL);
    EXPECT_EQ(cancel.commands, (std::vector<WORD>{1234, 40004, IDCANCEL}));

    ScriptedDialog clicked({clickOk});
    EXPECT_EQ(clicked.doModal(owner.get()), IDOK);
    EXPECT_EQ(clicked.commands, std::vector<WORD>{IDOK});
}

TEST(Dialog, ObjectIsBoundFromInitDialogToDestroyAndCentredOnItsOwner)
{
    HostWindow owner(100, 100, 500, 400);
    bool deleted = false;
    auto* dialog = new ScriptedDialog({IDOK});
    dialog->watchDeletion(deleted);
    ASSERT_EQ(dialog->doModal(owner.get()), IDOK);
    EXPECT_TRUE(dialog->boundAtInit);
    EXPECT_TRUE(dialog->boundAtDestroy);
    ASSERT_NE(dialog->handle(), nullptr);
    EXPECT_EQ(Dialog::fromHandle(dialog->handle()), nullptr);
    EXPECT_FALSE(deleted) << "the caller deletes a dialog, not its window";

    const RECT& placed = dialog->placedAtInit;
    const int width = placed.right - placed.left;
    const int height = placed.bottom - placed.top;
    EXPECT_EQ(placed.left, 100 + (500 - width) / 2);
    EXPECT_EQ(placed.top, 100 + (400 - height) / 2);
    delete dialog;
    EXPECT_TRUE(deleted);
}

TEST(Dialog, MissingTemplateWarnsWithTheSystemsTextInsteadOfThrowing)
{
    MessageRecorder recorder;
    HostWindow owner(100, 100, 300, 200);
    ScriptedDialog modal({}, missingTemplate);
    EXPECT_EQ(modal.doModal(owner.get()), -1);
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_EQ(recorder.shown()[0].owner, owner.get());
    EXPECT_EQ(recorder.shown()[0].text, format_error(ERROR_RESOURCE_NAME_NOT_FOUND).message());
    EXPECT_EQ(recorder.shown()[0].captionId, texts::caption_warning);
    EXPECT_EQ(recorder.shown()[0].style, UINT(MB_ICONWARNING));

    ScriptedDialog page({}, missingTemplate);
    EXPECT_EQ(page.createModeless(owner.get(), SW_SHOW), nullptr);
    ASSERT_EQ(recorder.shown().size(), 2u);
    EXPECT_EQ(recorder.shown()[1].owner, owner.get());
}

TEST(Dialog, ModelessPageIsShownInsideItsParentAndOutlivesItsWindow)
{
    HostWindow parent(100, 100, 400, 300);
    bool deleted = false;
    ScriptedDialog page({}, testPage);
    page.watchDeletion(deleted);
    HWND handle = page.createModeless(parent.get(), SW_SHOW);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(page.handle(), handle);
    EXPECT_EQ(GetParent(handle), parent.get());
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_EQ(Dialog::fromHandle(handle), &page);

    DestroyWindow(handle);
    EXPECT_EQ(Dialog::fromHandle(handle), nullptr);
    EXPECT_FALSE(deleted);
}

TEST(Dialog, PageDeletedBeforeItsWindowIsNoLongerReached)
{
    HostWindow parent(100, 100, 400, 300);
    auto* page = new ScriptedDialog({}, testPage);
    HWND handle = page->createModeless(parent.get(), SW_SHOW);
    ASSERT_NE(handle, nullptr);
    delete page;
    EXPECT_EQ(Dialog::fromHandle(handle), nullptr);
    SendMessageW(handle, WM_COMMAND, 1234, 0); // would reach a deleted object through a stale entry
    DestroyWindow(handle);
}

TEST(Dialog, FailureInADialogHandlerIsShownAndTheDialogGoesOn)
{
    MessageRecorder recorder;
    HostWindow parent(100, 100, 400, 300);
    ScriptedDialog page({}, testPage);
    HWND handle = page.createModeless(parent.get(), SW_SHOW);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(SendMessageW(handle, WM_APP, 0, 0), 0);
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_EQ(recorder.shown()[0].text, L"ダイアログの失敗");
    EXPECT_EQ(recorder.shown()[0].captionId, texts::caption_error);
    SendMessageW(handle, WM_COMMAND, 77, 0);
    EXPECT_EQ(page.commands, std::vector<WORD>{77});
    DestroyWindow(handle);
}

} // namespace
