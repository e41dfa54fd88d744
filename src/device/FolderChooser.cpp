#include "device/FolderChooser.h"

#include "platform/Messages.h"
#include "base/Text.h"
#include "device/FolderBrowserHooks.h"
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

// An item list the browser returned, freed with the shell's allocator.
class ShellItemList {
public:
    explicit ShellItemList(LPITEMIDLIST items) : items_(items) {}
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;
    ~ShellItemList()
    {
        IMalloc* allocator = nullptr;
        if (items_ != nullptr && SUCCEEDED(SHGetMalloc(&allocator))) {
            allocator->Free(items_);
            allocator->Release();
        }
    }

    LPITEMIDLIST get() const { return items_; }

private:
    LPITEMIDLIST items_;
};

// The browser writes its display name into its buffer whether or not a path comes of it, so it
// works on a copy and the caller's folder changes only when a path was chosen.
bool browse(const std::wstring& prompt, HWND owner, wchar_t (&path)[MAX_PATH])
{
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = path;
    info.lpszTitle = prompt.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
    info.lpfn = prompt == load_text(5003) ? data_browser_callback : plain_browser_callback;
    info.lParam = reinterpret_cast<LPARAM>(path);
    const ShellItemList chosen(SHBrowseForFolderW(&info));
    if (chosen.get() == nullptr) {
        return false;
    }
    if (!SHGetPathFromIDListW(chosen.get(), path) || path[0] == L'\0') {
        show_message(owner, load_text(5004), 5005, MB_ICONWARNING); // "指定されたフォルダを選択できません。", "警告"
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
    return chooseFolder(load_text(5003), owner, folder); // "フォルダを選択してください。"
}

