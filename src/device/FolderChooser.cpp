#include "device/FolderChooser.h"

#include "platform/Messages.h"
#include "base/Text.h"
#include "device/FolderBrowserHooks.h"
#include "platform/SystemHandles.h"
#include "recording/DataType.h"

#include <cwchar>
#include <utility>

#include <shlobj.h>

namespace {

FolderChoiceHandler& choice_handler()
{
    static FolderChoiceHandler handler;
    return handler;
}

// The browser writes its display name into its buffer whether or not a path comes of it, so it
// works on a copy and the caller's folder changes only when a path was chosen.
bool browse(const std::wstring& prompt, HWND owner, wchar_t (&path)[MAX_PATH])
{
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = path;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    info.lpfn = prompt == load_text(texts::choose_folder) ? data_browser_callback : plain_browser_callback;
    info.lParam = reinterpret_cast<LPARAM>(path);
    const ShellItemList chosen(SHBrowseForFolderW(&info));
    if (chosen.get() == nullptr) {
        return false;
    }
    if (!SHGetPathFromIDListW(chosen.get(), path) || path[0] == L'\0') {
        show_warning(owner, load_text(texts::folder_not_selectable));
        return false;
    }
    return true;
}

} // namespace

FolderChoiceHandler set_folder_choice_handler(FolderChoiceHandler handler)
{
    std::swap(choice_handler(), handler);
    return handler;
}

bool chooseFolder(const std::wstring& prompt, HWND owner, wchar_t (&folder)[MAX_PATH])
{
    if (choice_handler()) {
        return choice_handler()(prompt, owner, folder);
    }
    wchar_t path[MAX_PATH];
    wcsncpy(path, folder, MAX_PATH - 1);
    path[MAX_PATH - 1] = L'\0';
    const int data_type = current_data_type();
    if (!browse(prompt, owner, path)) {
        // OK on an item without a path has already stored the list's choice.
        set_current_data_type(data_type);
        return false;
    }
    wcscpy(folder, path);
    return true;
}

bool chooseDataFolder(HWND owner, wchar_t (&folder)[MAX_PATH])
{
    return chooseFolder(load_text(texts::choose_folder), owner, folder); // "フォルダを選択してください。"
}

