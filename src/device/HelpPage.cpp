#include "device/HelpPage.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/File.h"
#include "platform/FileSearch.h"
#include "platform/FileSystem.h"
#include "platform/ShellOpen.h"
#include "platform/WindowsError.h"
#include "ui/Resource.h"
#include "ResourceIds.h"

#include <windows.h>

namespace {

// HTML resources: the page and its pictures.
const wchar_t* const htmlResource = MAKEINTRESOURCEW(23);

void writeFile(const std::wstring& path, const ResourceData& data)
{
    File file = File::create_exclusive_write(path);
    if (!file.is_open()) {
        throw format_error(GetLastError());
    }
    if (!file.write(data.data, data.size) || !file.flush()) {
        throw IOException(path);
    }
}

void makeFolder(const std::wstring& folder)
{
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        throw format_error(GetLastError());
    }
}

// An older copy may hold pictures this version no longer has; the folder is ours alone.
void removeOlderCopy(const std::wstring& folder)
{
    for (const std::wstring& name : find_files(folder, L"*")) {
        const std::wstring path = join_path(folder, name);
        if (file_exists(path)) {
            set_file_attributes(path, file_normal);
            DeleteFileW(path.c_str());
        }
    }
}

} // namespace

std::wstring helpFolder()
{
    wchar_t temp[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, temp);
    if (length == 0 || length >= MAX_PATH) {
        throw format_error(GetLastError());
    }
    return std::wstring(temp) + L"Tarvo_Viewer_help\\";
}

std::wstring writeHelpFiles(const std::wstring& folder)
{
    makeFolder(folder);
    removeOlderCopy(folder);
    for (int id = IDR_HELP_PICTURE_FIRST; id <= IDR_HELP_PICTURE_LAST; ++id) {
        writeFile(join_path(folder, std::to_wstring(id) + L".png"), loadResource(htmlResource, id));
    }
    const std::wstring page = join_path(folder, helpPageFileName);
    writeFile(page, loadResource(htmlResource, IDR_HELP_PAGE));
    return page;
}

void showHelp()
{
    shell_open(writeHelpFiles(helpFolder()));
}

std::wstring helpFailureText()
{
    try {
        const std::wstring page = join_path(helpFolder(), helpPageFileName);
        if (file_exists(page)) {
            return format_text(texts::help_page_not_opened, page);
        }
    } catch (const Exception&) {
    }
    return load_text(texts::help_failed); // "ヘルプを表示できません。"
}
