// The chooser's preparation of the browser, run on stand-in windows whose procedures record
// what reaches them: the parts that the shell's own browser under test cannot show (a
// name-space control around the tree, the context-help button, Windows 2000).
#include "device/FolderBrowserHooks.h"

#include "ChooserTestSupport.h"
#include "device/DataTypeRow.h"
#include "device/WindowTakeover.h"

#include <gtest/gtest.h>

#include <string>

#include <commctrl.h>
#include <shlobj.h>

namespace {

using namespace chooser_test;

constexpr LRESULT passed_on_result = 42;

// What reached the stand-ins' own procedures.
struct Received {
    int help = 0;
    int context_menu = 0;
    int other = 0;
    int ok_commands = 0;
    std::wstring selected;
    int selections = 0;
    bool selected_by_path = false;
    bool own_procedure_at_destroy = false;
    int name_space_help = 0;
};
Received received;

LRESULT CALLBACK stand_in_browser_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HELP:
        ++received.help;
        return 0;
    case WM_CONTEXTMENU:
        ++received.context_menu;
        return 0;
    case WM_APP:
        ++received.other;
        return passed_on_result;
    case WM_COMMAND:
        received.ok_commands += LOWORD(wParam) == IDOK ? 1 : 0;
        return 0;
    case BFFM_SETSELECTIONW:
        received.selected_by_path = wParam != 0;
        received.selected = reinterpret_cast<const wchar_t*>(lParam);
        ++received.selections;
        return TRUE;
    case WM_DESTROY:
        received.own_procedure_at_destroy = procedure_of(window) == stand_in_browser_procedure;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK name_space_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP) {
        ++received.name_space_help;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void register_class(const wchar_t* name, WNDPROC procedure)
{
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = name;
    RegisterClassExW(&window_class);
}

HWND create_child(HWND parent, const wchar_t* window_class, int id, int x, int y, int width, int height)
{
    return CreateWindowExW(0, window_class, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

// A browser-like window: OK and Cancel at the bottom, the new-folder button, and a tree view,
// either inside a name-space control (beside a decoy tree of the browser's own) or directly.
class StandInBrowser {
public:
    StandInBrowser(HWND owner, bool with_name_space)
    {
        register_class(L"TarvoStandInBrowser", stand_in_browser_procedure);
        // Registered in other capitals than the chooser looks for: class names ignore case.
        register_class(L"SHBROWSEFORFOLDER SHELLNAMESPACE CONTROL", name_space_procedure);
        window_ = CreateWindowExW(WS_EX_CONTEXTHELP | WS_EX_DLGMODALFRAME, L"TarvoStandInBrowser", L"browser",
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 420, 380, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ok_ = create_child(window_, L"BUTTON", IDOK, 150, 310, 75, 23);
        create_child(window_, L"BUTTON", IDCANCEL, 240, 310, 75, 23);
        new_folder_ = create_child(window_, L"BUTTON", 14150, 8, 310, 120, 23);
        if (with_name_space) {
            name_space_ = create_child(window_, L"SHBrowseForFolder ShellNameSpace Control", 0, 8, 40, 390, 250);
            tree_ = create_child(name_space_, WC_TREEVIEWW, 100, 0, 0, 390, 250);
            decoy_tree_ = create_child(window_, WC_TREEVIEWW, 101, 8, 290, 10, 10);
        } else {
            tree_ = create_child(window_, WC_TREEVIEWW, 100, 8, 40, 390, 250);
        }
    }
    StandInBrowser(const StandInBrowser&) = delete;
    StandInBrowser& operator=(const StandInBrowser&) = delete;
    ~StandInBrowser() { DestroyWindow(window_); }

    HWND window() const { return window_; }
    HWND ok() const { return ok_; }
    HWND tree() const { return tree_; }
    HWND decoy_tree() const { return decoy_tree_; }
    HWND new_folder_button() const { return new_folder_; }

private:
    HWND window_ = nullptr;
    HWND ok_ = nullptr;
    HWND new_folder_ = nullptr;
    HWND name_space_ = nullptr;
    HWND tree_ = nullptr;
    HWND decoy_tree_ = nullptr;
};

class FolderBrowserHooksTest : public testing::Test {
protected:
    void SetUp() override
    {
        received = Received{};
        const SystemVersion xp{5, 1};
        set_browser_system_version(&xp);
    }
    void TearDown() override { set_browser_system_version(nullptr); }

    void initialise(const StandInBrowser& browser, BFFCALLBACK callback)
    {
        callback(browser.window(), BFFM_INITIALIZED, 0, reinterpret_cast<LPARAM>(folder_));
    }

    OwnerWindow owner_;
    DataTypeGuard data_type_guard_;
    const wchar_t* folder_ = L"E:\\記録\\2009";
};

TEST_F(FolderBrowserHooksTest, SelectsTheFolderCentresOnTheOwnerAndDropsTheHelpButton)
{
    const StandInBrowser browser(owner_.get(), true);
    initialise(browser, plain_browser_callback);

    EXPECT_TRUE(received.selected_by_path);
    EXPECT_EQ(received.selected, folder_);
    EXPECT_TRUE(is_centred_on(browser.window(), owner_.get()));
    EXPECT_EQ(GetWindowLongW(browser.window(), GWL_EXSTYLE) & WS_EX_CONTEXTHELP, 0);
    EXPECT_EQ(GetWindowLongW(browser.window(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, WS_EX_DLGMODALFRAME);
}

// Wine's browser fills its tree after the first selection and may drop it on the way, leaving the
// drive's root selected; the chooser selects the folder once more when the browser is running.
TEST_F(FolderBrowserHooksTest, SelectsTheFolderAgainOnceTheBrowserRuns)
{
    for (const BFFCALLBACK callback : {plain_browser_callback, data_browser_callback}) {
        received = Received{};
        const StandInBrowser browser(owner_.get(), true);
        initialise(browser, callback);
        EXPECT_EQ(received.selections, 1);
        received.selected = L"Z:\\"; // what the tree fill leaves behind
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        EXPECT_EQ(received.selections, 2);
        EXPECT_TRUE(received.selected_by_path);
        EXPECT_EQ(received.selected, folder_);
    }
}

TEST_F(FolderBrowserHooksTest, NewFolderButtonIsHiddenOnWindows2000Only)
{
    const struct {
        SystemVersion version;
        bool hidden;
    } cases[] = {{{5, 0}, true}, {{4, 0}, false}, {{5, 1}, false}, {{5, 2}, false}, {{6, 0}, false}};
    for (const auto& when : cases) {
        set_browser_system_version(&when.version);
        for (const BFFCALLBACK callback : {plain_browser_callback, data_browser_callback}) {
            const StandInBrowser browser(owner_.get(), true);
            initialise(browser, callback);
            EXPECT_EQ(!has_visible_style(browser.new_folder_button()), when.hidden)
                << when.version.major << "." << when.version.minor;
        }
    }
}

TEST_F(FolderBrowserHooksTest, BrowserSwallowsHelpAndContextMenuAndPassesOnTheRest)
{
    for (const BFFCALLBACK callback : {plain_browser_callback, data_browser_callback}) {
        received = Received{};
        const StandInBrowser browser(owner_.get(), true);
        initialise(browser, callback);

        EXPECT_EQ(send_help(browser.window()), 0);
        EXPECT_EQ(SendMessageW(browser.window(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(browser.window()), 0), 0);
        EXPECT_EQ(SendMessageW(browser.window(), WM_APP, 0, 0), passed_on_result);
        EXPECT_EQ(received.help, 0);
        EXPECT_EQ(received.context_menu, 0);
        EXPECT_EQ(received.other, 1);
    }
}

TEST_F(FolderBrowserHooksTest, TreeInsideTheNameSpaceControlSwallowsHelp)
{
    const StandInBrowser browser(owner_.get(), true);
    // The tree passes help on to its parent, the name-space control, until it is taken over.
    send_help(browser.tree());
    ASSERT_EQ(received.name_space_help, 1);
    const WNDPROC decoy_procedure = procedure_of(browser.decoy_tree());

    initialise(browser, data_browser_callback);

    EXPECT_EQ(send_help(browser.tree()), 0);
    EXPECT_EQ(received.name_space_help, 1);
    EXPECT_EQ(procedure_of(browser.tree()), tree_window_procedure);
    EXPECT_EQ(procedure_of(browser.decoy_tree()), decoy_procedure);
}

TEST_F(FolderBrowserHooksTest, TreeOfTheBrowserItselfIsTakenOverWithoutANameSpaceControl)
{
    const StandInBrowser browser(owner_.get(), false);
    initialise(browser, plain_browser_callback);

    EXPECT_EQ(find_browser_tree(browser.window()), browser.tree());
    EXPECT_EQ(procedure_of(browser.tree()), tree_window_procedure);
    EXPECT_EQ(procedure_of(browser.window()), browser_window_procedure);
}

TEST_F(FolderBrowserHooksTest, DestroyingTheBrowserGivesItsProcedureBackFirst)
{
    StandInBrowser browser(owner_.get(), true);
    initialise(browser, data_browser_callback);
    ASSERT_EQ(procedure_of(browser.window()), data_browser_window_procedure);

    DestroyWindow(browser.window());

    EXPECT_TRUE(received.own_procedure_at_destroy);
}

TEST_F(FolderBrowserHooksTest, TakingOverTwiceKeepsTheOriginalProcedure)
{
    const StandInBrowser browser(owner_.get(), false);
    ASSERT_TRUE(take_over_window(browser.window(), browser_window_procedure));
    // Checked before any message is sent: a replacement that became its own predecessor would
    // recurse until the stack overflows, and Wine ends such a program with status 0.
    ASSERT_FALSE(take_over_window(browser.window(), data_browser_window_procedure));
    ASSERT_EQ(procedure_of(browser.window()), browser_window_procedure);

    EXPECT_EQ(SendMessageW(browser.window(), WM_APP, 0, 0), passed_on_result);
    EXPECT_EQ(received.other, 1);
}

TEST_F(FolderBrowserHooksTest, OkWithNothingSelectedInTheListKeepsTheType)
{
    set_current_data_type(data_type_image);
    const StandInBrowser browser(owner_.get(), true);
    initialise(browser, data_browser_callback);

    SendDlgItemMessageW(browser.window(), IDC_DATA_TYPE_LIST, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(browser.window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

    EXPECT_EQ(current_data_type(), data_type_image);
    EXPECT_EQ(received.ok_commands, 1);
}

} // namespace
