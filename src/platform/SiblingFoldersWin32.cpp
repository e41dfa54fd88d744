// The shell namespace lists a folder's sub-folders as Explorer sees them, hidden ones included.
#include "platform/SiblingFolders.h"

#include "base/Exception.h"
#include "base/Text.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

namespace {

constexpr int no_memory_manager_text = 5045;   // "メモリマネージャを取得できません。"
constexpr int no_desktop_text = 5046;          // "デスクトップフォルダを取得できません。"
constexpr int cannot_bind_text = 5047;         // "フォルダをバインドできません。"
constexpr int cannot_enumerate_text = 5043;    // "フォルダ内を列挙できません。"
constexpr int name_unreadable_text = 5042;     // "フォルダの名前を取得できません。"
constexpr SHCONTF folders_and_hidden = SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN; // 0x20 | 0x80

[[noreturn]] void fail(int text) { throw IOException(load_text(text)); }

// One reference to a COM object, released with its owner.
template <class Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    Interface** out() { return &object_; }
    Interface* operator->() const { return object_; }
    Interface* get() const { return object_; }

private:
    Interface* object_ = nullptr;
};

// The shell hands out item identifiers from its allocator and wants them back there.
class ItemIdFree {
public:
    explicit ItemIdFree(IMalloc* allocator = nullptr) : allocator_(allocator) {}
    void operator()(ITEMIDLIST* id) const { allocator_->Free(id); }

private:
    IMalloc* allocator_;
};
using ItemId = std::unique_ptr<ITEMIDLIST, ItemIdFree>;

// COM for the calls below, balanced on the way out; a thread that has it already keeps it.
class ComUse {
public:
    ComUse() : result_(CoInitialize(nullptr)) {}
    ~ComUse()
    {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComUse(const ComUse&) = delete;
    ComUse& operator=(const ComUse&) = delete;

private:
    HRESULT result_;
};

ItemId parse(IShellFolder* desktop, IMalloc* allocator, const std::wstring& path)
{
    std::wstring writable = path; // ParseDisplayName takes a writable text
    ITEMIDLIST* id = nullptr;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, writable.data(), nullptr, &id, nullptr)) || id == nullptr) {
        throw DataMissingException();
    }
    return ItemId(id, ItemIdFree(allocator));
}

std::wstring item_name(IShellFolder* parent, const ITEMIDLIST* child)
{
    WIN32_FIND_DATAW found{};
    if (FAILED(SHGetDataFromIDListW(parent, child, SHGDFIL_FINDDATA, &found, sizeof found))) {
        fail(name_unreadable_text);
    }
    return found.cFileName;
}

} // namespace

std::vector<std::wstring> list_sibling_folders(const std::wstring& folder, const std::wstring& parent)
{
    const ComUse com;
    ComRef<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.out())) || allocator.get() == nullptr) {
        fail(no_memory_manager_text);
    }
    ComRef<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.out())) || desktop.get() == nullptr) {
        fail(no_desktop_text);
    }
    parse(desktop.get(), allocator.get(), folder); // only proves that the open folder is still there
    const ItemId parent_id = parse(desktop.get(), allocator.get(), parent);
    ComRef<IShellFolder> parent_folder;
    if (FAILED(desktop->BindToObject(parent_id.get(), nullptr, IID_IShellFolder,
                                     reinterpret_cast<void**>(parent_folder.out()))) ||
        parent_folder.get() == nullptr) {
        fail(cannot_bind_text);
    }
    ComRef<IEnumIDList> children;
    if (FAILED(parent_folder->EnumObjects(nullptr, folders_and_hidden, children.out()))) {
        fail(cannot_enumerate_text);
    }
    std::vector<std::wstring> names;
    if (children.get() == nullptr) {
        return names; // nothing to list
    }
    ITEMIDLIST* next = nullptr;
    while (children->Next(1, &next, nullptr) == S_OK) {
        const ItemId child(next, ItemIdFree(allocator.get()));
        names.push_back(item_name(parent_folder.get(), child.get()));
    }
    return names;
}
