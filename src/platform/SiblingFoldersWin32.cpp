// The shell namespace lists a folder's sub-folders as Explorer sees them, hidden ones included.
#include "platform/SiblingFolders.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/SystemHandles.h"

#include <windows.h>
#include <shlobj.h>

namespace {

constexpr SHCONTF folders_and_hidden = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN; // 0x20 | 0x80

[[noreturn]] void fail(int text) { throw IOException(load_text(text)); }

ShellItemList parse(IShellFolder* desktop, const std::wstring& path)
{
    std::wstring writable = path; // ParseDisplayName takes a writable text
    ITEMIDLIST* id = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, writable.data(), nullptr, &id, nullptr)) || id == nullptr) {
        throw DataMissingException();
    }
    return ShellItemList(id);
}

std::wstring item_name(IShellFolder* parent, const ITEMIDLIST* child)
{
    WIN32_FIND_DATAW found{};
    if (FAILED(SHGetDataFromIDListW(parent, child, SHGDFIL_FINDDATA, &found, sizeof found))) {
        fail(texts::folder_name_unreadable);
    }
    return found.cFileName;
}

} // namespace

std::vector<std::wstring> list_sibling_folders(const std::wstring& folder, const std::wstring& parent)
{
    const ComUse com;
    // Item lists go back to COM's task allocator, which is the shell's; a system that cannot
    // hand out the shell's allocator cannot list folders either.
    ComRef<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.out())) || allocator.get() == nullptr) {
        fail(texts::no_memory_manager);
    }
    ComRef<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.out())) || desktop.get() == nullptr) {
        fail(texts::no_desktop_folder);
    }
    parse(desktop.get(), folder); // only proves that the open folder is still there
    const ShellItemList parent_id = parse(desktop.get(), parent);
    ComRef<IShellFolder> parent_folder;
    if (FAILED(desktop->BindToObject(parent_id.get(), nullptr, IID_IShellFolder,
                                     reinterpret_cast<void**>(parent_folder.out()))) ||
        parent_folder.get() == nullptr) {
        fail(texts::folder_not_bindable);
    }
    ComRef<IEnumIDList> children;
    if (FAILED(parent_folder->EnumObjects(nullptr, folders_and_hidden, children.out()))) {
        fail(texts::folder_not_enumerable);
    }
    std::vector<std::wstring> names;
    if (children.get() == nullptr) {
        return names; // nothing to list
    }
    ITEMIDLIST* next = nullptr;
    while (children->Next(1, &next, nullptr) == S_OK) {
        const ShellItemList child(next);
        names.push_back(item_name(parent_folder.get(), child.get()));
    }
    return names;
}
