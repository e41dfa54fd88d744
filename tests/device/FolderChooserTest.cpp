#include "device/FolderChooser.h"

#include "platform/SystemHandles.h"
#include "platform/Messages.h"

#include "BrowserUser.h"
#include "ChooserTestSupport.h"
#include "base/Text.h"
#include "device/DataTypeRow.h"
#include "device/FolderBrowserHooks.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include <shlobj.h>
#include <commctrl.h>

namespace {

using namespace chooser_test;

// Reads a folder's listing, which brings its last-access time up to date.
void read_listing(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    const FindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    while (search && FindNextFileW(search.get(), &found)) {
    }
}

// Wine's browser finds a path in its tree by comparing item lists byte for byte, the folders'
// modification and access times included. A folder on the way that changes while the browser
// looks (the system's temporary folder, where other test programs write all the time) or whose
// access time the browser's own reading moves, makes the selection fail. So the fresh folders
// live in the profile folder, which only these tests change, one test program at a time, and
// every folder made is read once at once, which settles its access time.
std::wstring fresh_folder()
{
    wchar_t profile[MAX_PATH] = L"";
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_PROFILE, nullptr, 0, profile);
    if (GetTempFileNameW(profile, L"fch", 0, path) == 0) {
        return {};
    }
    DeleteFileW(path);
    CreateDirectoryW(path, nullptr);
    read_listing(profile);
    read_listing(path);
    return path;
}

// Keeps the tests that open the shell's browser from running at the same time in two programs.
class BrowserTestLock {
public:
    BrowserTestLock() : mutex_(CreateMutexW(nullptr, FALSE, L"Tarvo folder chooser tests"))
    {
        WaitForSingleObject(mutex_.get(), 120000);
    }
    ~BrowserTestLock() { ReleaseMutex(mutex_.get()); }

private:
    KernelHandle mutex_;
};

// A fresh folder with subfolders made on request, removed afterwards.
class FreshFolder {
public:
    FreshFolder() : path_(fresh_folder()) {}
    FreshFolder(const FreshFolder&) = delete;
    FreshFolder& operator=(const FreshFolder&) = delete;
    ~FreshFolder()
    {
        for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) {
            RemoveDirectoryW(folder->c_str());
        }
        RemoveDirectoryW(path_.c_str());
    }

    const std::wstring& path() const { return path_; }

    std::wstring make(const std::wstring& name)
    {
        const std::wstring folder = path_ + L"\\" + name;
        CreateDirectoryW(folder.c_str(), nullptr);
        made_.push_back(folder);
        read_listing(path_);
        read_listing(folder);
        return folder;
    }

private:
    std::wstring path_;
    std::vector<std::wstring> made_;
};

struct ShownMessage {
    HWND owner;
    std::wstring text;
    int caption_id;
    UINT style;
};
std::vector<ShownMessage> shown_messages;

int record_message(HWND owner, const std::wstring& text, int caption_id, UINT style)
{
    shown_messages.push_back({owner, text, caption_id, style});
    return IDOK;
}

// What the user saw of the data-type row.
struct RowView {
    std::wstring label;
    std::vector<std::wstring> entries;
    LRESULT selection = CB_ERR;
    bool default_font = false;
    bool tab_order = false;
    SIZE label_size{};
    LONG label_style = 0;
    LONG list_style = 0;
    HWND focus = nullptr;
    HWND list = nullptr;
};

HWND focus_of(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

HFONT font_of(HWND window)
{
    return reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
}

RowView look_at_row(HWND browser)
{
    RowView view;
    const HWND label = GetDlgItem(browser, IDC_DATA_TYPE_LABEL);
    view.list = GetDlgItem(browser, IDC_DATA_TYPE_LIST);
    if (label == nullptr || view.list == nullptr) {
        return view;
    }
    view.label = window_text(label);
    view.entries = combo_entries(view.list);
    view.selection = SendMessageW(view.list, CB_GETCURSEL, 0, 0);
    const HFONT gui_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    view.default_font = font_of(label) == gui_font && font_of(view.list) == gui_font;
    const RECT label_rect = rect_in_parent(label);
    view.label_size = {label_rect.right - label_rect.left, label_rect.bottom - label_rect.top};
    view.label_style = GetWindowLongW(label, GWL_STYLE);
    view.list_style = GetWindowLongW(view.list, GWL_STYLE);
    view.tab_order = GetWindow(browser, GW_CHILD) == view.list && GetWindow(view.list, GW_HWNDNEXT) == label &&
                     GetWindow(label, GW_HWNDNEXT) == GetDlgItem(browser, IDOK) &&
                     GetWindow(GetDlgItem(browser, IDOK), GW_HWNDNEXT) == GetDlgItem(browser, IDCANCEL);
    const HWND list = view.list;
    eventually([&] { return focus_of(browser) == list; }); // the focus arrives with the activation
    view.focus = focus_of(browser);
    return view;
}

void select_in_list(HWND browser, int entry)
{
    SendDlgItemMessageW(browser, IDC_DATA_TYPE_LIST, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
}

bool select_path(HWND browser, const std::wstring& path)
{
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
    return IsWindowEnabled(GetDlgItem(browser, IDOK)) != FALSE;
}

class FolderChooserTest : public testing::Test {
protected:
    void SetUp() override
    {
        shown_messages.clear();
        set_message_handler(record_message);
    }
    void TearDown() override
    {
        set_message_handler(nullptr);
    }

    void start_at(const std::wstring& path) { wcscpy(folder_, path.c_str()); }

    BrowserVisit choose_data_folder(const BrowserScript& script)
    {
        return visit_browser([&] { chosen_ = chooseDataFolder(owner_.get(), folder_); }, script);
    }

    BrowserVisit choose_card_drive(const BrowserScript& script)
    {
        return visit_browser([&] { chosen_ = chooseFolder(load_text(texts::choose_card_drive), owner_.get(), folder_); }, script);
    }

    BrowserTestLock lock_;
    const ComUse com_; // the browser needs COM on the thread for each test
    OwnerWindow owner_;
    DataTypeGuard data_type_guard_;
    FreshFolder temp_;
    wchar_t folder_[MAX_PATH] = L"";
    bool chosen_ = true;

private:
};

TEST_F(FolderChooserTest, DataTypeRowStartsAtTheCurrentTypeAndCancelKeepsTypeAndFolder)
{
    set_current_data_type(data_type_continuous);
    start_at(temp_.path());
    RowView row;
    bool centred = false;
    const BrowserVisit visit = choose_data_folder([&](HWND browser) {
        row = look_at_row(browser);
        centred = is_centred_on(browser, owner_.get());
        select_in_list(browser, data_type_image);
        return Ending::press_cancel;
    });

    ASSERT_TRUE(visit.met_browser);
    EXPECT_TRUE(visit.ended_as_asked);
    EXPECT_EQ(row.label, load_text(texts::data_type_label));
    EXPECT_EQ(row.entries, (std::vector<std::wstring>{load_text(texts::data_type_event), load_text(texts::data_type_image), load_text(texts::data_type_continuous)}));
    EXPECT_EQ(row.selection, data_type_continuous);
    EXPECT_TRUE(row.default_font);
    EXPECT_EQ(row.label_size.cx, 55);
    EXPECT_EQ(row.label_size.cy, 160);
    EXPECT_NE(row.label_style & SS_ENDELLIPSIS, 0);
    // (the combo box drops the border and client edge it was created with and draws its own)
    EXPECT_EQ(row.list_style & (WS_TABSTOP | CBS_DROPDOWNLIST), WS_TABSTOP | CBS_DROPDOWNLIST);
    EXPECT_TRUE(row.tab_order);
    EXPECT_EQ(row.focus, row.list);
    EXPECT_TRUE(centred);
    EXPECT_FALSE(chosen_);
    EXPECT_EQ(current_data_type(), data_type_continuous);
    EXPECT_EQ(std::wstring(folder_), temp_.path());
    EXPECT_TRUE(shown_messages.empty());
}

TEST_F(FolderChooserTest, OkOnAFolderReturnsItsPathAndStoresTheChosenType)
{
    const std::wstring recording = temp_.make(L"記録 2009");
    set_current_data_type(data_type_event);
    start_at(temp_.path());
    bool ok_enabled = false;
    const BrowserVisit visit = choose_data_folder([&](HWND browser) {
        ok_enabled = select_path(browser, recording);
        select_in_list(browser, data_type_continuous);
        return Ending::press_ok;
    });

    ASSERT_TRUE(visit.met_browser);
    EXPECT_TRUE(visit.ended_as_asked);
    EXPECT_TRUE(ok_enabled);
    EXPECT_TRUE(chosen_);
    EXPECT_EQ(std::wstring(folder_), recording);
    EXPECT_EQ(current_data_type(), data_type_continuous);
    EXPECT_TRUE(shown_messages.empty());
}

TEST_F(FolderChooserTest, BrowserStartsAtTheFolderItWasGiven)
{
    const std::wstring recording = temp_.make(L"event");
    temp_.make(L"other");
    set_current_data_type(data_type_image);
    start_at(recording);
    LRESULT selection = CB_ERR;
    const BrowserVisit visit = choose_data_folder([&](HWND browser) {
        selection = SendDlgItemMessageW(browser, IDC_DATA_TYPE_LIST, CB_GETCURSEL, 0, 0);
        return Ending::press_ok;
    });

    ASSERT_TRUE(visit.met_browser);
    EXPECT_TRUE(chosen_);
    EXPECT_EQ(std::wstring(folder_), recording);
    EXPECT_EQ(selection, data_type_image);
    EXPECT_EQ(current_data_type(), data_type_image);
}

TEST_F(FolderChooserTest, CardDriveBrowserHasNoDataTypeRowAndLeavesTheType)
{
    const std::wstring card = temp_.make(L"card");
    set_current_data_type(data_type_continuous);
    start_at(card);
    bool has_label = true;
    bool has_list = true;
    WNDPROC procedure = nullptr;
    const BrowserVisit visit = choose_card_drive([&](HWND browser) {
        has_label = GetDlgItem(browser, IDC_DATA_TYPE_LABEL) != nullptr;
        has_list = GetDlgItem(browser, IDC_DATA_TYPE_LIST) != nullptr;
        procedure = procedure_of(browser);
        return Ending::press_ok;
    });

    ASSERT_TRUE(visit.met_browser);
    EXPECT_FALSE(has_label);
    EXPECT_FALSE(has_list);
    EXPECT_EQ(procedure, browser_window_procedure);
    EXPECT_TRUE(chosen_);
    EXPECT_EQ(std::wstring(folder_), card);
    EXPECT_EQ(current_data_type(), data_type_continuous);
}

TEST_F(FolderChooserTest, BrowserAndTreeSwallowHelpAndTheBrowserItsContextMenu)
{
    start_at(temp_.path());
    WNDPROC browser_procedure = nullptr;
    WNDPROC tree_procedure = nullptr;
    std::vector<LRESULT> results;
    LONG ex_style = WS_EX_CONTEXTHELP;
    const BrowserVisit visit = choose_data_folder([&](HWND browser) {
        const HWND tree = find_browser_tree(browser);
        browser_procedure = procedure_of(browser);
        tree_procedure = procedure_of(tree);
        ex_style = GetWindowLongW(browser, GWL_EXSTYLE);
        results.push_back(send_help(browser));
        results.push_back(SendMessageW(browser, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(browser), MAKELPARAM(40, 40)));
        results.push_back(send_help(tree));
        return Ending::press_cancel;
    });

    ASSERT_TRUE(visit.met_browser);
    EXPECT_TRUE(visit.ended_as_asked);
    EXPECT_EQ(browser_procedure, data_browser_window_procedure);
    EXPECT_EQ(tree_procedure, tree_window_procedure);
    EXPECT_EQ(ex_style & WS_EX_CONTEXTHELP, 0);
    EXPECT_EQ(results, (std::vector<LRESULT>{0, 0, 0}));
}

bool needs_painting(HWND window)
{
    RECT update{};
    return GetUpdateRect(window, &update, FALSE) != FALSE;
}

bool row_lines_up_with_ok(HWND browser)
{
    const RECT ok = rect_in_parent(GetDlgItem(browser, IDOK));
    const DataTypeRowLayout expected = data_type_row_layout(ok.top, ok.right - ok.left);
    const auto at = [](POINT point, POINT target) { return point.x == target.x && point.y == target.y; };
    return at(top_left_in_parent(GetDlgItem(browser, IDC_DATA_TYPE_LABEL)), expected.label) &&
           at(top_left_in_parent(GetDlgItem(browser, IDC_DATA_TYPE_LIST)), expected.list) &&
           at(top_left_in_parent(GetDlgItem(browser, IDOK)), expected.ok) &&
           at(top_left_in_parent(GetDlgItem(browser, IDCANCEL)), expected.cancel);
}

TEST_F(FolderChooserTest, DataTypeRowFollowsTheOkButtonWhenTheBrowserIsResizedAndKeepsTheFocus)
{
    start_at(temp_.path());
    bool lined_up_at_start = false;
    bool lined_up_after_resize = false;
    int ok_moved_by = 0;
    bool focus_kept = false;
    bool repainted = false;
    int dirty_samples = -1;
    const BrowserVisit visit = choose_data_folder([&](HWND browser) {
        lined_up_at_start = eventually([&] { return row_lines_up_with_ok(browser); });
        const HWND list = GetDlgItem(browser, IDC_DATA_TYPE_LIST);
        const int ok_top = top_left_in_parent(GetDlgItem(browser, IDOK)).y;
        RECT outer{};
        GetWindowRect(browser, &outer);
        SetWindowPos(browser, nullptr, 0, 0, outer.right - outer.left + 120, outer.bottom - outer.top + 90,
                     SWP_NOMOVE | SWP_NOZORDER);
        ok_moved_by = top_left_in_parent(GetDlgItem(browser, IDOK)).y - ok_top;
        lined_up_after_resize = eventually([&] { return row_lines_up_with_ok(browser); });
        focus_kept = focus_of(browser) == list;

        // Once laid out, a repaint must not leave the browser in need of another one: after each
        // pass of its thread through its messages (paints included) it still needs none.
        InvalidateRect(browser, nullptr, TRUE);
        repainted = eventually([&] { return !needs_painting(browser); });
        dirty_samples = 0;
        for (int sample = 0; sample < 40; ++sample) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(browser, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &answer);
            dirty_samples += needs_painting(browser) ? 1 : 0;
        }
        return Ending::press_cancel;
    });

    ASSERT_TRUE(visit.met_browser);
    EXPECT_TRUE(lined_up_at_start);
    EXPECT_GT(ok_moved_by, 0);
    EXPECT_TRUE(lined_up_after_resize);
    EXPECT_TRUE(focus_kept);
    EXPECT_TRUE(repainted);
    EXPECT_LE(dirty_samples, 2);
}

// The browser disables OK on an item without a path; Enter would not reach it either, so the
// command is sent to the browser directly, as a browser that allows such items would send it.
TEST_F(FolderChooserTest, ItemWithoutAPathWarnsAndLeavesFolderAndTypeAsTheyWere)
{
    set_current_data_type(data_type_image);
    start_at(temp_.path());
    bool ok_enabled = true;
    const BrowserVisit visit = choose_data_folder([&](HWND browser) {
        LPITEMIDLIST computer = nullptr;
        SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
        const ShellItemList owned(computer);
        SendMessageW(browser, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(owned.get()));
        ok_enabled = IsWindowEnabled(GetDlgItem(browser, IDOK)) != FALSE;
        select_in_list(browser, data_type_continuous);
        return Ending::command_ok;
    });

    ASSERT_TRUE(visit.met_browser);
    EXPECT_TRUE(visit.ended_as_asked);
    EXPECT_FALSE(ok_enabled);
    EXPECT_FALSE(chosen_);
    ASSERT_EQ(shown_messages.size(), 1u);
    EXPECT_EQ(shown_messages[0].owner, owner_.get());
    EXPECT_EQ(shown_messages[0].text, load_text(texts::folder_not_selectable));
    EXPECT_EQ(shown_messages[0].caption_id, 5005);
    EXPECT_EQ(shown_messages[0].style, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(std::wstring(folder_), temp_.path());
    EXPECT_EQ(current_data_type(), data_type_image);
}

// The name of the item the browser's tree has selected.
std::wstring selected_tree_item(HWND browser)
{
    const HWND tree = find_browser_tree(browser);
    const auto item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (item == nullptr) {
        return {};
    }
    wchar_t text[MAX_PATH] = L"";
    TVITEMW request{};
    request.mask = TVIF_TEXT;
    request.hItem = item;
    request.pszText = text;
    request.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
    return text;
}

TEST_F(FolderChooserTest, BrowserOpensOnTheProgramsOwnFolderAsTheMainWindowPassesIt)
{
    // The main window starts with the program's folder and its trailing backslash, deep in the
    // tree and beside folders that other programs change while the browser fills its tree.
    wchar_t program[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder = program;
    folder.erase(folder.find_last_of(L'\\') + 1);
    const std::wstring name = folder.substr(folder.find_last_of(L'\\', folder.size() - 2) + 1, std::wstring::npos);
    start_at(folder);
    std::wstring selected;
    const BrowserVisit visit = choose_data_folder([&](HWND browser) {
        eventually([&] { return selected_tree_item(browser) + L"\\" == name; });
        selected = selected_tree_item(browser);
        return Ending::press_ok;
    });

    ASSERT_TRUE(visit.met_browser);
    EXPECT_EQ(selected + L"\\", name) << "the tree shows the folder selected";
    EXPECT_TRUE(chosen_);
    EXPECT_EQ(std::wstring(folder_) + L"\\", folder);
}

TEST_F(FolderChooserTest, FolderThatNoLongerExistsStillOpensTheBrowser)
{
    const std::wstring gone = temp_.path() + L"\\gone";
    start_at(gone);
    const BrowserVisit visit = choose_data_folder([](HWND) { return Ending::press_cancel; });

    ASSERT_TRUE(visit.met_browser);
    EXPECT_TRUE(visit.ended_as_asked);
    EXPECT_FALSE(chosen_);
    EXPECT_EQ(std::wstring(folder_), gone);
}

} // namespace
