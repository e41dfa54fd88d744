// The version text, the version dialog and the help files, under Wine.
#include "device/AboutDialog.h"
#include "device/HelpPage.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "image/PngDecoder.h"
#include "platform/ShellOpen.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "ui/LinkLabel.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

TEST(FileVersionText, ReadsTheFirstTranslationThatHasAFileVersion)
{
    EXPECT_EQ(fileVersionText(L"" TARVO_VERSION_PROBE_A), L"2.10.3");
    EXPECT_EQ(fileVersionText(L"" TARVO_VERSION_PROBE_B), L"3.1.4");
}

TEST(FileVersionText, AFileWithoutVersionInformationGivesTheTextThatSaysSo)
{
    EXPECT_EQ(fileVersionText(L"" TARVO_NO_VERSION_FILE), load_text(texts::no_version_information));
    EXPECT_EQ(fileVersionText(L"Z:\\no\\such\\file.exe"), load_text(texts::no_version_information));
}

// The program's version is the project's, the one its packages are named and stamped with.
TEST(FileVersionText, TheProgramShowsItsOwnVersionWhichIsThePackageVersion)
{
    EXPECT_EQ(getFileVersionText(), TARVO_PACKAGE_VERSION);
}

std::wstring itemText(HWND dialog, int id)
{
    wchar_t text[512] = L"";
    GetDlgItemTextW(dialog, id, text, 512);
    return text;
}

// What the version dialog shows once it has started.
struct AboutView {
    bool centred = false;
    RECT dialog{};
    RECT owner{};
    std::wstring caption;
    std::wstring name;
    std::wstring version;
    std::wstring copyright;
    HFONT copyrightFont = nullptr;
    bool linkIsLabel = false;
    bool linkVisible = false;
    std::wstring linkText;
    LRESULT linkHit = 0;
};

// Looks at itself right after its start (from its own modal loop) and ends with OK.
class ObservedAboutDialog : public AboutDialog {
public:
    AboutView view;

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const INT_PTR result = AboutDialog::dialogProc(message, wParam, lParam);
        if (message == WM_INITDIALOG) {
            PostMessageW(handle(), lookMessage, 0, 0);
        } else if (message == lookMessage) {
            look();
            PostMessageW(handle(), WM_COMMAND, IDOK, 0);
        }
        return result;
    }

private:
    static constexpr UINT lookMessage = WM_APP + 7;

    void look()
    {
        RECT dialog{};
        RECT reference{};
        GetWindowRect(handle(), &dialog);
        GetWindowRect(owner(), &reference);
        const int dx = (dialog.left + dialog.right) - (reference.left + reference.right);
        const int dy = (dialog.top + dialog.bottom) - (reference.top + reference.bottom);
        view.centred = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
        view.dialog = dialog;
        view.owner = reference;
        wchar_t caption[128] = L"";
        GetWindowTextW(handle(), caption, 128);
        view.caption = caption;
        view.name = itemText(handle(), IDC_ABOUT_NAME);
        view.version = itemText(handle(), IDC_ABOUT_VERSION);
        view.copyright = itemText(handle(), IDC_ABOUT_COPYRIGHT);
        view.copyrightFont =
            reinterpret_cast<HFONT>(SendDlgItemMessageW(handle(), IDC_ABOUT_COPYRIGHT, WM_GETFONT, 0, 0));
        const HWND link = GetDlgItem(handle(), IDC_ABOUT_LINK);
        view.linkIsLabel = dynamic_cast<LinkLabel*>(Window::fromHandle(link)) != nullptr;
        view.linkVisible = (GetWindowLongW(link, GWL_STYLE) & WS_VISIBLE) != 0;
        view.linkText = itemText(handle(), IDC_ABOUT_LINK);
        RECT linkRect{};
        GetWindowRect(link, &linkRect);
        view.linkHit = SendMessageW(link, WM_NCHITTEST, 0, MAKELPARAM(linkRect.left + 2, linkRect.top + 2));
    }
};

TEST(AboutDialog, ShowsNameVersionCopyrightInArialAndTheLinkCentredOnItsOwner)
{
    HostWindow owner(40, 30, 700, 500, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ObservedAboutDialog dialog;
    LOGFONTW font{};
    ASSERT_EQ(GetObjectW(dialog.copyrightFont(), sizeof font, &font), static_cast<int>(sizeof font));
    EXPECT_STREQ(font.lfFaceName, L"Arial");
    const WindowDc screen(nullptr);
    EXPECT_EQ(font.lfHeight, -MulDiv(11, GetDeviceCaps(screen.get(), LOGPIXELSY), 72));
    EXPECT_EQ(font.lfWeight, FW_NORMAL);

    EXPECT_EQ(dialog.doModal(owner.get()), IDOK);
    const AboutView& view = dialog.view;
    EXPECT_EQ(view.caption, L"バージョン情報");
    EXPECT_EQ(view.name, L"Tarvo_Viewer");
    EXPECT_EQ(view.version, L"Version " TARVO_PACKAGE_VERSION);
    EXPECT_EQ(view.copyright, load_text(texts::copyright_line));
    EXPECT_EQ(view.copyrightFont, dialog.copyrightFont());
    EXPECT_TRUE(view.linkIsLabel);
    EXPECT_TRUE(view.linkVisible);
    EXPECT_EQ(view.linkText, load_text(texts::support_address));
    EXPECT_EQ(view.linkHit, HTCLIENT) << "the link receives the mouse";
    EXPECT_TRUE(view.centred) << "dialog " << view.dialog.left << "," << view.dialog.top << "-" << view.dialog.right
                              << "," << view.dialog.bottom << " owner " << view.owner.left << "," << view.owner.top
                              << "-" << view.owner.right << "," << view.owner.bottom;
}

// ---- the help files -------------------------------------------------------------------------

struct OpenedTarget {
    std::wstring target;
    std::wstring folder;
};
std::vector<OpenedTarget> opened;

long recordOpen(const std::wstring& target, const std::wstring& folder)
{
    opened.push_back({target, folder});
    return 42;
}

std::wstring fromShiftJis(const std::vector<uint8_t>& bytes, bool& valid)
{
    const char* data = reinterpret_cast<const char*>(bytes.data());
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, data, size, nullptr, 0);
    valid = length > 0;
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, data, size, text.data(), length);
    return text;
}

bool isJpeg(const std::vector<uint8_t>& bytes)
{
    return bytes.size() > 4 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[bytes.size() - 2] == 0xFF &&
           bytes[bytes.size() - 1] == 0xD9;
}

bool isPicture(const std::vector<uint8_t>& bytes)
{
    if (isJpeg(bytes)) {
        return true;
    }
    try {
        return decodePng(bytes.data(), bytes.size()) != nullptr;
    } catch (...) {
        return false;
    }
}

TEST(HelpFiles, APageInShiftJisWhosePicturesAreAllThere)
{
    TempFolder temp;
    const std::wstring folder = temp.file(L"help");
    const std::wstring page = writeHelpFiles(folder);
    EXPECT_EQ(page, folder + L"\\help.html");
    bool valid = false;
    const std::wstring html = fromShiftJis(read_bytes(page), valid);
    ASSERT_TRUE(valid) << "the page decodes as Shift_JIS";
    EXPECT_NE(html.find(L"<title>Tarvo_Viewer 操作方法</title>"), std::wstring::npos);
    EXPECT_NE(html.find(L"charset=Shift_JIS"), std::wstring::npos);
    for (const wchar_t* mode : {L"イベント記録", L"連続記録", L"画像記録"}) {
        EXPECT_NE(html.find(mode), std::wstring::npos) << "the page explains each display mode";
    }

    const std::wregex source(L"src=\"([^\"]+)\"");
    std::set<std::wstring> referenced;
    for (auto match = std::wsregex_iterator(html.begin(), html.end(), source); match != std::wsregex_iterator();
         ++match) {
        referenced.insert((*match)[1].str());
    }
    EXPECT_EQ(referenced.size(), 24u) << "every picture appears on the page";
    for (const std::wstring& name : referenced) {
        EXPECT_EQ(name.find_first_of(L":/\\"), std::wstring::npos) << "relative name: " << std::string(name.begin(), name.end());
        EXPECT_TRUE(isPicture(read_bytes(folder + L"\\" + name))) << std::string(name.begin(), name.end());
    }
    for (int id = IDR_HELP_PICTURE_FIRST; id <= IDR_HELP_PICTURE_LAST; ++id) {
        EXPECT_EQ(referenced.count(std::to_wstring(id) + L".png"), 1u) << id;
    }
}

TEST(HelpFiles, AnOlderCopyIsReplaced)
{
    TempFolder temp;
    const std::wstring folder = temp.file(L"help");
    make_folder(folder);
    write_bytes(folder + L"\\help.html", {'o', 'l', 'd'});
    write_bytes(folder + L"\\22101.png", {1, 2, 3});
    write_bytes(folder + L"\\picture-of-an-older-version.png", {1, 2, 3});
    SetFileAttributesW((folder + L"\\help.html").c_str(), FILE_ATTRIBUTE_READONLY);
    writeHelpFiles(folder);
    EXPECT_GT(read_bytes(folder + L"\\help.html").size(), 1000u);
    EXPECT_TRUE(isPicture(read_bytes(folder + L"\\22101.png")));
    EXPECT_EQ(GetFileAttributesW((folder + L"\\picture-of-an-older-version.png").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(HelpFiles, ShowingHelpOpensThePageInTheTemporaryFolderThroughTheShell)
{
    opened.clear();
    set_shell_open_handler(recordOpen);
    showHelp();
    set_shell_open_handler(nullptr);
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    EXPECT_EQ(helpFolder(), std::wstring(temp) + L"Tarvo_Viewer_help\\");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].target, helpFolder() + L"help.html");
    EXPECT_EQ(opened[0].folder, L"C:\\");
    EXPECT_NE(GetFileAttributesW(opened[0].target.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(HelpFiles, AShellFailureIsThrown)
{
    set_shell_open_handler([](const std::wstring&, const std::wstring&) -> long {
        SetLastError(ERROR_NO_ASSOCIATION);
        return SE_ERR_NOASSOC;
    });
    EXPECT_THROW(showHelp(), WindowException);
    set_shell_open_handler(nullptr);
}

} // namespace
