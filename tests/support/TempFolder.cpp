#include "support/TempFolder.h"

#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace {

std::filesystem::path fs_path(const std::wstring& path)
{
    const std::string utf8 = wide_to_utf8(path);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::wstring wide_path(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return utf8_to_wide(std::string(utf8.begin(), utf8.end()));
}

} // namespace

TempFolder::TempFolder() : marker_(make_temp_file(L"drc"))
{
    if (marker_.empty()) {
        throw std::runtime_error("no temporary file");
    }
    path_ = marker_ + L".d";
    make_folder(path_);
}

TempFolder::~TempFolder()
{
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(fs_path(path_), error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        set_file_attributes(wide_path(it->path()), file_normal);
    }
    std::filesystem::remove_all(fs_path(path_), error);
    delete_file(marker_);
}

std::wstring TempFolder::file(const std::wstring& name) const { return join_path(path_, name); }

void make_folder(const std::wstring& path) { std::filesystem::create_directories(fs_path(path)); }

void rename_path(const std::wstring& from, const std::wstring& to)
{
    std::error_code error;
    std::filesystem::rename(fs_path(from), fs_path(to), error);
    EXPECT_FALSE(error) << "cannot rename " << wide_to_utf8(from) << ": " << error.message();
}

void write_bytes(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    // Shared, so a test can rewrite a file that a reader still holds open.
    File file = File::create_shared_write(path);
    ASSERT_TRUE(file.is_open());
    ASSERT_TRUE(file.write(bytes.data(), bytes.size()));
}

std::vector<uint8_t> read_bytes(const std::wstring& path)
{
    File file = File::open_shared_read(path);
    if (!file.is_open()) {
        ADD_FAILURE() << "cannot open " << wide_to_utf8(path);
        return {};
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(file.size()));
    bytes.resize(file.read(bytes.data(), bytes.size()));
    return bytes;
}

std::wstring TempFolder::write(const std::wstring& name, const std::vector<uint8_t>& bytes) const
{
    const std::wstring path = file(name);
    write_bytes(path, bytes);
    return path;
}
