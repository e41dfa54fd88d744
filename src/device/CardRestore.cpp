#include "device/CardRestore.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/FileSystem.h"
#include "platform/Messages.h"
#include "platform/ProgramPath.h"
#include "platform/WindowsError.h"
#include "device/CabinetExtractor.h"
#include "device/CardFileWriter.h"
#include "device/CardSettings.h"
#include "device/FolderChooser.h"
#include "ui/Resource.h"
#include "ui/WaitCursor.h"
#include "ResourceIds.h"

#include <cstdio>
#include <cwchar>

namespace {

constexpr const wchar_t* temporary_folder = L"C:\\Temp";

// A temporary file that is deleted with the object.
class TemporaryFile {
public:
    TemporaryFile()
    {
        CreateDirectoryW(temporary_folder, nullptr); // an existing folder is fine
        wchar_t name[MAX_PATH] = {};
        if (GetTempFileNameW(temporary_folder, L"cab", 0, name) == 0) {
            throw IOException(load_text(texts::temp_file_failed));
        }
        path_ = name;
    }
    ~TemporaryFile() { remove_card_file(path_); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

void write_whole(const std::wstring& path, const void* data, DWORD size)
{
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) {
        throw format_error(GetLastError());
    }
    const bool written = std::fwrite(data, 1, size, out) == size;
    if (std::fclose(out) != 0 || !written) {
        throw IOException(load_text(texts::temp_file_failed));
    }
}


// Runs one step of the restore; false when it failed (its own text is not shown).
template <typename Step>
bool succeeds(Step step)
{
    try {
        step();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

void extractCabinet(const std::wstring& card_folder)
{
    // Without the resource (the shipped viewer): the system's text for the error.
    const ResourceData cabinet_data = loadResource(L"BINARY", IDR_RECORDER_CABINET);
    const TemporaryFile cabinet;
    write_whole(cabinet.path(), cabinet_data.data, static_cast<DWORD>(cabinet_data.size));
    CabinetExtractor(card_folder).extract(cabinet.path());
}

void copyViewerToCard(const std::wstring& card_folder) { copyViewerToCard(card_folder, program_path()); }

void copyViewerToCard(const std::wstring& card_folder, const std::wstring& viewer_path)
{
    const std::wstring target = join_path(card_folder, load_text(texts::program_file_name));
    if (_wcsicmp(target.c_str(), viewer_path.c_str()) == 0) {
        return; // the viewer runs from the card itself
    }
    const int64_t length = card_file_length(viewer_path);
    CopyFileW(viewer_path.c_str(), target.c_str(), FALSE);
    if (length < 0 || card_file_length(target) != length) {
        remove_card_file(target);
        throw IOException(load_text(texts::some_files_not_extracted));
    }
}

bool restoreCard(HWND owner, std::wstring& card_folder)
{
    wchar_t folder[MAX_PATH] = {};
    card_folder.copy(folder, MAX_PATH - 1);
    if (!chooseFolder(load_text(texts::choose_card_drive_for_restore), owner, folder)) {
        return false;
    }
    card_folder = folder;
    if (show_message(owner, load_text(texts::confirm_restore), texts::caption_confirm, MB_ICONQUESTION | MB_OKCANCEL) !=
        IDOK) {
        return true;
    }
    const int keep = show_message(owner, load_text(texts::keep_settings_question), texts::caption_confirm,
                                  MB_ICONQUESTION | MB_YESNOCANCEL);
    if (keep != IDYES && keep != IDNO) {
        return true;
    }
    bool complete = true;
    {
        const WaitCursor wait;
        if (keep == IDNO) {
            complete = succeeds([&] { writeDefaultSettings(card_folder); });
        }
        // The viewer is copied only when the recorder's files are all there.
        complete = succeeds([&] {
            extractCabinet(card_folder);
            copyViewerToCard(card_folder);
        }) && complete;
    }
    if (complete) {
        show_message(owner, load_text(texts::card_restored), texts::caption_information, MB_ICONINFORMATION);
    } else {
        show_message(owner, load_text(texts::restore_incomplete), texts::caption_warning, MB_ICONWARNING);
    }
    return true;
}
