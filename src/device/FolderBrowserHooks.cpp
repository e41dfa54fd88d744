#include "device/FolderBrowserHooks.h"

#include "ui/WindowUtilities.h"

#include "device/DataTypeRow.h"
#include "device/WindowTakeover.h"

#include <optional>

#include <shlobj.h>

namespace {

// Posted to the browser after its start, to select the first folder again: Wine's browser may
// lose the first selection while it fills its tree and then shows the drive's root instead.
constexpr UINT select_again_message = WM_APP + 0x2A;

// Windows 2000's browser ignores BIF_NONEWFOLDERBUTTON, so its "new folder" button is hidden by hand.
constexpr int new_folder_button_id = 14150;

std::optional<SystemVersion>& version_override()
{
    static std::optional<SystemVersion> version;
    return version;
}

// The browser is owned rather than parented on some systems; either way it is the window that
// opened it.
HWND browser_parent(HWND browser)
{
    const HWND parent = GetParent(browser);
    return parent != nullptr ? parent : GetWindow(browser, GW_OWNER);
}

HWND find_child_of_class(HWND parent, const wchar_t* class_name)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[256];
        if (GetClassNameW(child, name, 256) > 0 && lstrcmpiW(name, class_name) == 0) {
            return child;
        }
    }
    return nullptr;
}

bool is_windows_2000()
{
    const SystemVersion version = browser_system_version();
    return version.major == 5 && version.minor == 0;
}

void remove_context_help(HWND browser)
{
    const LONG ex_style = GetWindowLongW(browser, GWL_EXSTYLE);
    if ((ex_style & WS_EX_CONTEXTHELP) != 0) {
        SetWindowLongW(browser, GWL_EXSTYLE, ex_style & ~WS_EX_CONTEXTHELP);
        SetWindowPos(browser, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void prepare_browser(HWND browser, LPARAM folder, bool with_data_type_row)
{
    SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
    if (const HWND parent = browser_parent(browser)) {
        centreWindow(browser, parent);
    }
    if (is_windows_2000()) {
        if (const HWND button = GetDlgItem(browser, new_folder_button_id)) {
            ShowWindow(button, SW_HIDE);
        }
    }
    if (with_data_type_row) {
        create_data_type_row(browser);
    }
    remove_context_help(browser);
    take_over_window(browser, with_data_type_row ? data_browser_window_procedure : browser_window_procedure);
    take_over_window(find_browser_tree(browser), tree_window_procedure);
    // The folder buffer lives until the browser has ended, so the posted pointer stays valid.
    PostMessageW(browser, select_again_message, 0, folder);
}

LRESULT pass_on_then(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void (*after)(HWND))
{
    const LRESULT result = pass_on(window, message, wParam, lParam);
    after(window);
    return result;
}

} // namespace

SystemVersion browser_system_version()
{
    if (version_override()) {
        return *version_override();
    }
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(&info)) {
        return {0, 0};
    }
    return {info.dwMajorVersion, info.dwMinorVersion};
}

void set_browser_system_version(const SystemVersion* version)
{
    if (version != nullptr) {
        version_override() = *version;
    } else {
        version_override().reset();
    }
}

HWND find_browser_tree(HWND browser)
{
    const HWND name_space = find_child_of_class(browser, L"SHBrowseForFolder ShellNameSpace Control");
    return find_child_of_class(name_space != nullptr ? name_space : browser, L"SysTreeView32");
}

int CALLBACK plain_browser_callback(HWND browser, UINT message, LPARAM, LPARAM folder)
{
    if (message == BFFM_INITIALIZED) {
        prepare_browser(browser, folder, false);
    }
    return 0;
}

int CALLBACK data_browser_callback(HWND browser, UINT message, LPARAM, LPARAM folder)
{
    if (message == BFFM_INITIALIZED) {
        prepare_browser(browser, folder, true);
    }
    return 0;
}

LRESULT CALLBACK browser_window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Help would reach the owner, the main window, which has none to give.
    if (message == WM_HELP || message == WM_CONTEXTMENU) {
        return 0;
    }
    if (message == select_again_message) {
        SendMessageW(window, BFFM_SETSELECTIONW, TRUE, lParam);
        return 0;
    }
    return pass_on(window, message, wParam, lParam);
}

LRESULT CALLBACK data_browser_window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
    case WM_PAINT:
        // The browser lays out its own buttons first; the row then takes them back.
        return pass_on_then(window, message, wParam, lParam, lay_out_data_type_row);
    case WM_SHOWWINDOW:
        return wParam != 0 ? pass_on_then(window, message, wParam, lParam, focus_data_type_list)
                           : pass_on(window, message, wParam, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            store_data_type_choice(window);
        }
        return pass_on(window, message, wParam, lParam);
    default:
        return browser_window_procedure(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK tree_window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HELP) {
        return 0;
    }
    return pass_on(window, message, wParam, lParam);
}
