#include "ui/SaveFileDialog.h"

#include "base/Text.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace {

SaveFileDialog::Handler& handler()
{
    static SaveFileDialog::Handler answering;
    return answering;
}

// The folder of the last file chosen in a dialog of each title: the next one opens there.
std::wstring& lastFolder(int titleText)
{
    static std::map<int, std::wstring> folders;
    return folders[titleText];
}

std::wstring userFolder(int csidl)
{
    wchar_t folder[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder)) ? folder : L"";
}

// The dialog wants the descriptions and patterns separated by null characters.
std::wstring filterOf(int text)
{
    std::wstring filter = load_text(text);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    return filter + L'\0';
}

} // namespace

SaveFileDialog::SaveFileDialog(int titleText, int filterText, std::wstring extension, int startFolder)
    : titleText_(titleText), filterText_(filterText), extension_(std::move(extension)), startFolder_(startFolder)
{
}

SaveFileDialog::Handler SaveFileDialog::setHandler(Handler answering)
{
    return std::exchange(handler(), std::move(answering));
}

bool SaveFileDialog::doModal(HWND owner)
{
    if (handler()) {
        return handler()(*this, owner);
    }
    std::vector<wchar_t> chosen(32768, L'\0');
    std::copy_n(path.begin(), std::min(path.size(), chosen.size() - 1), chosen.begin());
    const std::wstring title = load_text(titleText_);
    const std::wstring filter = filterOf(filterText_);
    std::wstring& last = lastFolder(titleText_);
    const std::wstring start = last.empty() ? userFolder(startFolder_) : last;
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = chosen.data();
    dialog.nMaxFile = static_cast<DWORD>(chosen.size());
    dialog.lpstrInitialDir = start.empty() ? nullptr : start.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension_.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) {
        return false;
    }
    path = chosen.data();
    last = path.substr(0, dialog.nFileOffset);
    return true;
}
