#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace {

// A fresh file in the temporary folder, deleted (attributes cleared first) at the end.
class TemporaryFile {
public:
    TemporaryFile() : path_(make_temp_file(L"fst")) {}
    ~TemporaryFile()
    {
        set_file_attributes(path_, file_normal);
        delete_file(path_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

TEST(FileSystem, AttributesAreSetExactlyAndReadBack)
{
    const TemporaryFile file;
    ASSERT_FALSE(file.path().empty());
    EXPECT_EQ(file_attributes(file.path()), file_normal);
    for (const unsigned attributes : {file_hidden | file_read_only, 0u + file_read_only, 0u + file_hidden, 0u + file_normal}) {
        EXPECT_TRUE(set_file_attributes(file.path(), attributes));
        EXPECT_EQ(file_attributes(file.path()), attributes);
    }
}

TEST(FileSystem, FileMadeAgainUnderTheSameNameIsNotHidden)
{
    const TemporaryFile file;
    ASSERT_TRUE(set_file_attributes(file.path(), file_hidden));
    ASSERT_TRUE(set_file_attributes(file.path(), file_normal));
    ASSERT_TRUE(set_file_attributes(file.path(), file_hidden));
    EXPECT_EQ(file_attributes(file.path()), file_hidden);
    // Deleted while hidden: on Windows that takes nothing more, on the host the name is forgotten
    // with the file.
    ASSERT_TRUE(delete_file(file.path()));
    {
        File again = File::create_shared_write(file.path());
        ASSERT_TRUE(again.is_open());
    }
    EXPECT_EQ(file_attributes(file.path()), file_normal);
    ASSERT_TRUE(delete_file(file.path()));
    EXPECT_FALSE(file_attributes(file.path()).has_value());
    EXPECT_FALSE(set_file_attributes(file.path(), file_hidden));
}

TEST(FileSystem, JoinPutsOneSeparatorBetween)
{
    const std::wstring joined = join_path(L"card", L"DREC.INI");
    ASSERT_EQ(joined.size(), 13u);
    const wchar_t separator = joined[4];
    EXPECT_TRUE(separator == L'\\' || separator == L'/');
    EXPECT_EQ(join_path(std::wstring(L"card") + separator, L"DREC.INI"), joined);
    EXPECT_EQ(join_path(L"", L"DREC.INI"), L"DREC.INI");
}

TEST(File, SharedWriteLetsOthersReadAndFlushStoresIt)
{
    const TemporaryFile file;
    File writer = File::create_shared_write(file.path());
    ASSERT_TRUE(writer.is_open());
    ASSERT_TRUE(writer.write("\x00\x01\x03\x12", 4));
    ASSERT_TRUE(writer.flush());
    File reader = File::open_shared_read(file.path());
    ASSERT_TRUE(reader.is_open());
    char bytes[8] = {};
    EXPECT_EQ(reader.read(bytes, sizeof bytes), 4u);
    EXPECT_EQ(bytes[3], '\x12');
    writer.close();
    EXPECT_FALSE(writer.flush());
}

} // namespace
