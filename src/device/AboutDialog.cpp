#include "device/AboutDialog.h"

#include "base/Text.h"
#include "device/VersionText.h"
#include "platform/ProgramPath.h"
#include "ui/GdiHandles.h"
#include "ui/LinkLabel.h"
#include "ui/WindowUtilities.h"
#include "ResourceIds.h"

#include <cwchar>
#include <vector>

namespace {

// The file version of the first language and code page of the translation list that has one.
bool queryFileVersion(const std::vector<unsigned char>& block, std::wstring& fileVersion)
{
    void* translations = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &translations, &size)) {
        return false;
    }
    const auto* pairs = static_cast<const WORD*>(translations);
    for (UINT i = 0; i + 1 < size / sizeof(WORD); i += 2) {
        wchar_t key[64];
        swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\FileVersion", pairs[i], pairs[i + 1]);
        void* value = nullptr;
        UINT length = 0;
        if (VerQueryValueW(block.data(), key, &value, &length) && length > 0) {
            fileVersion.assign(static_cast<const wchar_t*>(value), wcsnlen(static_cast<const wchar_t*>(value), length));
            return true;
        }
    }
    return false;
}

int logicalPixelsPerInch()
{
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

} // namespace

std::wstring fileVersionText(const std::wstring& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<unsigned char> block(size);
    std::wstring fileVersion;
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, block.data()) ||
        !queryFileVersion(block, fileVersion)) {
        return load_text(texts::no_version_information);
    }
    return versionTextFrom(fileVersion);
}

std::wstring getFileVersionText() { return fileVersionText(program_path()); }

AboutDialog::AboutDialog()
    : Dialog(IDD_ABOUT),
      font_(CreateFontW(-MulDiv(11, logicalPixelsPerInch(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                        DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_DONTCARE, L"Arial"))
{
}

INT_PTR AboutDialog::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        onInitDialog();
        return TRUE;
    }
    return Dialog::dialogProc(message, wParam, lParam);
}

void AboutDialog::onInitDialog()
{
    SetDlgItemTextW(handle(), IDC_ABOUT_NAME, load_text(texts::program_title).c_str());
    std::wstring version = load_text(texts::version_format);
    const size_t slot = version.find(L"%s");
    if (slot != std::wstring::npos) {
        version.replace(slot, 2, getFileVersionText());
    }
    SetDlgItemTextW(handle(), IDC_ABOUT_VERSION, version.c_str());
    if (const HWND copyright = GetDlgItem(handle(), IDC_ABOUT_COPYRIGHT)) {
        SetWindowTextW(copyright, load_text(texts::copyright_line).c_str());
        SendMessageW(copyright, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    // The link shows the support address itself; the template keeps the control hidden until
    // it has become a link.
    if (const HWND link = GetDlgItem(handle(), IDC_ABOUT_LINK)) {
        SetWindowTextW(link, load_text(texts::support_address).c_str());
        new LinkLabel(link); // owned by its control from now on
        ShowWindow(link, SW_SHOW);
    }
    if (owner() != nullptr) {
        centreWindow(handle(), owner());
    }
}
