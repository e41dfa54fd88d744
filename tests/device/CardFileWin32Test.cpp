// The card's settings file against the real Windows file system, looked at with the system's own
// calls rather than through the viewer's seam.
#include "device/CardFileWriter.h"
#include "device/CardSettings.h"
#include "device/FirmInfo.h"
#include "device/RecordBytes.h"
#include "device/SettingsItems.h"
#include "support/TempFolder.h"

#include "platform/SystemHandles.h"
#include "base/Exception.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr DWORD hidden_read_only = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY;

DWORD attributes_of(const std::wstring& path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? attributes : attributes & hidden_read_only;
}

// Another program holding the file open without sharing it.
class Holder {
public:
    explicit Holder(const std::wstring& path)
        : handle_(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr))
    {
    }
    bool holds() const { return static_cast<bool>(handle_); }

private:
    KernelHandle handle_;
};

class CardFileWin32 : public ::testing::Test {
protected:
    std::wstring settings() const { return settings_file_path(card_.path()); }
    TempFolder card_;
};

TEST_F(CardFileWin32, WrittenFileIsHiddenAndReadOnlyAndCanBeWrittenAgain)
{
    FirmInfo list;
    put_g_threshold(list, 50);
    write_settings_to_card(card_.path(), list);
    EXPECT_EQ(attributes_of(settings()), hidden_read_only);
    EXPECT_EQ(settings(), card_.path() + L"\\DREC.INI");
    // The system itself refuses to delete it as it stands.
    EXPECT_FALSE(DeleteFileW(settings().c_str()));

    put_g_threshold(list, 41);
    write_settings_to_card(card_.path(), list);
    FirmInfo on_card;
    on_card.readSettingsFile(settings());
    EXPECT_EQ(get_g_threshold(on_card), 41);
    EXPECT_EQ(attributes_of(settings()), hidden_read_only);
}

TEST_F(CardFileWin32, FileHeldByAnotherProgramIsLeftAsItWas)
{
    const Bytes old = joined({header_bytes(), record_bytes(0x0101, {0x24, 0x01, 0x01, 0x08, 0x00})});
    write_bytes(settings(), old);
    ASSERT_TRUE(SetFileAttributesW(settings().c_str(), hidden_read_only));
    {
        const Holder holder(settings());
        ASSERT_TRUE(holder.holds());
        FirmInfo list;
        put_overwrite(list, true);
        try {
            list.write(settings(), true);
            FAIL() << "written past another program";
        } catch (const Exception& failure) {
            EXPECT_EQ(failure.message(), L"設定ファイルを書き込めません。");
        }
        EXPECT_EQ(attributes_of(settings()), hidden_read_only);
    }
    EXPECT_EQ(read_bytes(settings()), old);
}

} // namespace
