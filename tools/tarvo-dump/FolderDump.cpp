// tarvo-dump --folder DIR and tarvo-dump --images DIR: what the viewer's finder makes of a
// recording folder, and the pictures of an image folder as the image mode reads them.
#include "Modes.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "FolderReport.h"
#include "RecordingReport.h"
#include "base/Exception.h"
#include "platform/FileSystem.h"
#include "base/Utf8.h"
#include "common/Arguments.h"
#include "common/JsonWriter.h"
#include "recording/VideoArchive.h"

namespace {

// The folder as the viewer's folder chooser gives it: a full path with the system's separators
// (the neighbours are found through the parent, which a relative "DIR" or "." does not name;
// and on Windows a command line may well use slashes, which the finder does not take for
// separators).
std::wstring folder_argument(const Arguments& arguments)
{
    const std::wstring& folder = arguments.front();
    const std::string utf8 = wide_to_utf8(folder);
    std::error_code error;
    const std::filesystem::path full =
        std::filesystem::absolute(std::filesystem::path(std::u8string(utf8.begin(), utf8.end())), error);
    if (error) {
        return folder;
    }
    const std::u8string normal = full.lexically_normal().u8string();
    return utf8_to_wide(std::string(normal.begin(), normal.end()));
}

bool is_folder(const std::wstring& path)
{
    return file_attributes(path).has_value() && !file_exists(path);
}

} // namespace

int dump_folder(const Arguments& arguments)
{
    const std::wstring folder = folder_argument(arguments);
    write_out(folder_json(folder));
    // The object reports a missing folder too; the status tells a script without reading it.
    return is_folder(folder) ? 0 : 1;
}

int dump_images(const Arguments& arguments)
{
    const std::wstring folder = folder_argument(arguments);
    auto archive = std::make_unique<VideoArchive>();
    try {
        const bool more_than_600 = archive->load_images(folder);
        write_out(image_folder_json(*archive, more_than_600));
    } catch (const Exception& failure) {
        JsonWriter json;
        json.begin_object().key("error").value(failure.message()).end_object();
        write_out(json.text() + "\n");
        return 1;
    }
    return 0;
}
