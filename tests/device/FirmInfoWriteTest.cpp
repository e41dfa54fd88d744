#include "device/FirmInfo.h"

#include "base/Exception.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "base/Text.h"
#include "device/RecordBytes.h"
#include "device/ShortWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const std::wstring cannot_write = L"設定ファイルを書き込めません。";

class FirmInfoWrite : public ::testing::Test {
protected:
    std::wstring path() const { return folder_.file(L"DREC.INI"); }

    // A list holding these records as a settings file would.
    static FirmInfo list_of(std::initializer_list<Bytes> records)
    {
        Bytes bytes = header_bytes();
        for (const Bytes& record : records) {
            bytes.insert(bytes.end(), record.begin(), record.end());
        }
        FirmInfo list;
        list.parse(bytes, false);
        return list;
    }

    // Runs `write` and returns the message of the failure it must throw.
    template <typename Write>
    static std::wstring failure_of(Write write)
    {
        try {
            write();
        } catch (const Exception& failure) {
            return failure.message();
        }
        ADD_FAILURE() << "the write succeeded";
        return {};
    }

    TempFolder folder_;
};

TEST_F(FirmInfoWrite, EmptyListGivesTheBareHeaderAndRecordsGetTheirCheckBytes)
{
    FirmInfo list;
    list.write(path(), false);
    EXPECT_EQ(read_bytes(path()), (Bytes{0x00, 0x01, 0x03, 0x12, 0xFF, 0xFF, 0xFF, 0xEF}));
    EXPECT_EQ(file_attributes(path()), file_hidden | file_read_only);

    list.findOrAdd(0x0801)[1] = 0x45; // check byte still 0xFF
    list.findOrAdd(0x0101)[0] = 0x99;
    list.write(path(), false);
    const Bytes expected = joined({header_bytes(), record_bytes(0x0801, {0xFF, 0x45}), record_bytes(0x0101, {0x99})});
    EXPECT_EQ(read_bytes(path()), expected);
    EXPECT_EQ(list.settings_file_bytes(), expected);
    EXPECT_EQ(list.records()[0][7], expected[15]);
    list.verify(path());
}

TEST_F(FirmInfoWrite, OverAHiddenReadOnlyFileItSucceedsAndLeavesItSo)
{
    write_bytes(path(), joined({header_bytes(), record_bytes(0x0301, {0x01})}));
    ASSERT_TRUE(set_file_attributes(path(), file_hidden | file_read_only));
    FirmInfo list = list_of({record_bytes(0x0304, {0x02})});
    list.write(path(), false);
    EXPECT_EQ(read_bytes(path()), joined({header_bytes(), record_bytes(0x0304, {0x02})}));
    EXPECT_EQ(file_attributes(path()), file_hidden | file_read_only);
}

TEST_F(FirmInfoWrite, MergingKeepsOldOnlyItemsAfterTheListsOwnAndTheListWins)
{
    write_bytes(path(), joined({header_bytes(), record_bytes(0x0101, {0x24, 0x01, 0x02, 0x03, 0x04}),
                                record_bytes(0x0801, {0x00, 0x60}), record_bytes(0x0301, {0x02}),
                                record_bytes(0x0101, {0x11, 0x11, 0x11, 0x11, 0x11})}));
    set_file_attributes(path(), file_hidden | file_read_only);
    FirmInfo list = list_of({record_bytes(0x1801, {0x00}), record_bytes(0x0801, {0x00, 0x45})});
    list.write(path(), true);
    // Of the two old clock records the first is kept, as find would see it.
    const Bytes expected = joined({header_bytes(), record_bytes(0x1801, {0x00}), record_bytes(0x0801, {0x00, 0x45}),
                                   record_bytes(0x0101, {0x24, 0x01, 0x02, 0x03, 0x04}), record_bytes(0x0301, {0x02})});
    EXPECT_EQ(read_bytes(path()), expected);
    EXPECT_EQ(list.count(), 4u) << "the list now holds what it wrote";
    list.verify(path());
}

TEST_F(FirmInfoWrite, UnreadableOrMissingOldFileIsNotMerged)
{
    FirmInfo list = list_of({record_bytes(0x0301, {0x01})});
    list.write(path(), true); // nothing there yet
    EXPECT_EQ(read_bytes(path()), joined({header_bytes(), record_bytes(0x0301, {0x01})}));

    Bytes other_model = header_bytes();
    other_model[3] = 0x13;
    other_model[7] = xor_of(other_model, 1, 7);
    set_file_attributes(path(), file_normal);
    write_bytes(path(), joined({other_model, record_bytes(0x0304, {0x02})}));
    list.write(path(), true);
    EXPECT_EQ(read_bytes(path()), joined({header_bytes(), record_bytes(0x0301, {0x01})}));
}

TEST_F(FirmInfoWrite, MergingStopsQuietlyWhenTheListIsFull)
{
    Bytes old = header_bytes();
    for (uint16_t id = 100; id < 110; ++id) {
        const Bytes record = record_bytes(id, {0x07});
        old.insert(old.end(), record.begin(), record.end());
    }
    write_bytes(path(), old);
    FirmInfo list;
    for (uint16_t id = 1; id <= 75; ++id) {
        list.findOrAdd(id)[0] = 0x01;
    }
    list.write(path(), true);
    ASSERT_EQ(list.count(), FirmInfo::max_records);
    EXPECT_TRUE(list.contains(102));
    EXPECT_FALSE(list.contains(103));
    EXPECT_EQ(read_bytes(path()).size(), FirmInfo::header_size + FirmInfo::max_records * FirmInfo::record_size);
    list.verify(path());
}

TEST_F(FirmInfoWrite, VerifyFailsWhenTheFileDiffersInAnyWay)
{
    FirmInfo list = list_of({record_bytes(0x0301, {0x01}), record_bytes(0x0304, {0x02})});
    const std::wstring not_as_written = load_text(texts::some_files_not_extracted);
    const Bytes variants[] = {
        joined({header_bytes(), record_bytes(0x0301, {0x01})}),                                      // one missing
        joined({header_bytes(), record_bytes(0x0301, {0x01}), record_bytes(0x0304, {0x01})}),        // value
        joined({header_bytes(), record_bytes(0x0301, {0x01}), record_bytes(0x0304, {0x02}),
                record_bytes(0x0101, {0x00})}),                                                      // one more
    };
    for (const Bytes& bytes : variants) {
        write_bytes(path(), bytes);
        EXPECT_EQ(failure_of([&] { list.verify(path()); }), not_as_written);
    }
    write_bytes(path(), joined({header_bytes(), record_bytes(0x0301, {0x01}), record_bytes(0x0304, {0x02})}));
    list.verify(path());
    delete_file(path());
    EXPECT_EQ(failure_of([&] { list.verify(path()); }), load_text(texts::settings_unreadable));
}

TEST_F(FirmInfoWrite, CardFillingUpLeavesNoFileAtAll)
{
    write_bytes(path(), joined({header_bytes(), record_bytes(0x0101, {0x24, 0x01, 0x02, 0x03, 0x04})}));
    set_file_attributes(path(), file_hidden | file_read_only);
    FirmInfo list = list_of({record_bytes(0x0301, {0x01}), record_bytes(0x0304, {0x02})});
    for (int pieces : {0, 1, 3}) { // in the header, after it, in the last record
        FillingCardWriter writer(pieces);
        EXPECT_EQ(failure_of([&] { list.write(path(), true, writer); }), cannot_write) << pieces;
        EXPECT_FALSE(file_exists(path())) << pieces;
    }
}

TEST_F(FirmInfoWrite, FolderThatIsNotThereFailsAndCreatesNothing)
{
    const std::wstring missing = join_path(folder_.file(L"gone"), L"DREC.INI");
    FirmInfo list = list_of({record_bytes(0x0301, {0x01})});
    EXPECT_EQ(failure_of([&] { list.write(missing, true); }), cannot_write);
    EXPECT_FALSE(file_attributes(folder_.file(L"gone")).has_value());
}

#ifndef _WIN32
// The kernel refuses to let the file grow past a limit, as a full card would.
TEST_F(FirmInfoWrite, RealShortWriteOnTheHostLeavesNoFile)
{
    FirmInfo list;
    for (uint16_t id = 1; id <= 20; ++id) {
        list.findOrAdd(id)[0] = 0x01;
    }
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit{};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    rlimit limit = old_limit;
    limit.rlim_cur = 100;
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::wstring message = failure_of([&] { list.write(path(), false); });
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(message, cannot_write);
    EXPECT_FALSE(file_exists(path()));
}
#endif

} // namespace
