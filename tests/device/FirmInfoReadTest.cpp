#include "device/FirmInfo.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "device/RecordBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// Every case runs over bytes in memory and over a real file, which must agree.
enum class Source { Memory, File };

void PrintTo(Source source, std::ostream* out) { *out << (source == Source::Memory ? "memory" : "file"); }

class FirmInfoRead : public ::testing::TestWithParam<Source> {
protected:
    void read(FirmInfo& list, const Bytes& bytes, bool lead_block)
    {
        if (GetParam() == Source::Memory) {
            list.parse(bytes, lead_block);
            return;
        }
        const std::wstring path = folder_.file(lead_block ? L"FIRMINFO.DAT" : L"DREC.INI");
        write_bytes(path, bytes);
        lead_block ? list.readDeviceFile(path) : list.readSettingsFile(path);
    }

    // The message of the FirmInfoException reading throws, or a failure when it reads.
    std::wstring failure_of(const Bytes& bytes, bool lead_block)
    {
        FirmInfo list;
        try {
            read(list, bytes, lead_block);
        } catch (const FirmInfoException& failure) {
            EXPECT_EQ(list.count(), 0u);
            return failure.message();
        }
        ADD_FAILURE() << "read without failure";
        return {};
    }

    TempFolder folder_;
};

const std::wstring cannot_read = L"設定ファイルを読み込めません。";

TEST_P(FirmInfoRead, ShortFilesFailAndHeaderOnlyFilesAreEmpty)
{
    const Bytes device = joined({lead_block(), header_bytes()});
    EXPECT_EQ(failure_of(Bytes(device.begin(), device.end() - 1), true), cannot_read); // 23 bytes
    EXPECT_EQ(failure_of(Bytes(), true), cannot_read);
    const Bytes header = header_bytes();
    EXPECT_EQ(failure_of(Bytes(header.begin(), header.end() - 1), false), cannot_read);
    // Header without lead block is too short for the information file.
    EXPECT_EQ(failure_of(joined({header_bytes(), Bytes(8, 0)}), true), cannot_read);

    for (const Bytes& bytes : {device, joined({device, Bytes{0x03}}), joined({device, Bytes(7, 0x00)})}) {
        FirmInfo list;
        read(list, bytes, true);
        EXPECT_EQ(list.count(), 0u) << bytes.size() << " bytes";
    }
    FirmInfo settings;
    read(settings, header_bytes(), false);
    EXPECT_EQ(settings.count(), 0u);
}

TEST_P(FirmInfoRead, HeaderMustNameThisModelAndCheckOut)
{
    auto changed = [](size_t at, uint8_t value, bool fix_check) {
        Bytes header = header_bytes();
        header[at] = value;
        if (fix_check) {
            header[7] = xor_of(header, 1, 7);
        }
        return header;
    };
    EXPECT_EQ(failure_of(changed(2, 0x04, true), false), cannot_read); // another model
    EXPECT_EQ(failure_of(changed(3, 0x13, true), false), cannot_read);
    EXPECT_EQ(failure_of(changed(0, 0x01, true), false), cannot_read);
    EXPECT_EQ(failure_of(changed(1, 0x02, true), false), cannot_read); // another format version
    EXPECT_EQ(failure_of(changed(7, 0xEE, false), false), cannot_read);
    EXPECT_EQ(failure_of(changed(4, 0x00, false), false), cannot_read); // check byte then wrong
    // Bytes 4 to 6 are the recorder's business as long as the check byte covers them.
    FirmInfo list;
    read(list, joined({changed(5, 0x12, true), record_bytes(0x0801, {0x00, 0x45})}), false);
    ASSERT_EQ(list.count(), 1u);
    // The lead block is not looked at.
    Bytes odd_lead(16, 0x00);
    odd_lead[0] = 0xFF;
    read(list, joined({odd_lead, header_bytes(), record_bytes(0x0301, {0x02})}), true);
    ASSERT_EQ(list.count(), 1u);
    EXPECT_EQ(list.find(0x0301)[0], 0x02);
}

TEST_P(FirmInfoRead, RecordWithWrongCheckByteIsSkippedAndTheRestIsRead)
{
    Bytes bad = record_bytes(0x0304, {0x01});
    bad[7] ^= 0x01;
    Bytes damaged_value = record_bytes(0x0811, {0x00, 0x10});
    damaged_value[3] = 0x11; // the value changed, the check byte did not
    FirmInfo list;
    read(list,
         joined({header_bytes(), record_bytes(0x0301, {0x00}), bad, damaged_value, record_bytes(0x1801, {0x01}),
                 Bytes{0x08, 0x01, 0x00}}),
         false);
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list.records()[0], (FirmInfo::Record{0x03, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x02}));
    EXPECT_EQ(list.records()[1][0], 0x18);
    EXPECT_FALSE(list.contains(0x0304));
    EXPECT_FALSE(list.contains(0x0811));
    EXPECT_FALSE(list.contains(0x0801)); // the trailing partial record
}

TEST_P(FirmInfoRead, OfEightyRecordsTheFirstSeventyEightAreKept)
{
    Bytes bytes = header_bytes();
    for (uint16_t id = 1; id <= 80; ++id) {
        const Bytes record = record_bytes(id, {static_cast<uint8_t>(id)});
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    FirmInfo list;
    read(list, bytes, false);
    ASSERT_EQ(list.count(), FirmInfo::max_records);
    EXPECT_EQ(list.records().front()[1], 1);
    EXPECT_EQ(list.records().back()[1], 78);
    EXPECT_FALSE(list.contains(79));
    EXPECT_FALSE(list.contains(80));
}

INSTANTIATE_TEST_SUITE_P(BothSources, FirmInfoRead, ::testing::Values(Source::Memory, Source::File),
                         [](const auto& info) { return info.param == Source::Memory ? "Memory" : "File"; });

TEST(FirmInfoFile, MissingFileFailsWithTheReadingMessage)
{
    TempFolder folder;
    FirmInfo list;
    EXPECT_THROW(list.readDeviceFile(folder.file(L"FIRMINFO.DAT")), FirmInfoException);
    try {
        list.readSettingsFile(folder.file(L"DREC.INI"));
        FAIL() << "a missing file read";
    } catch (const FirmInfoException& failure) {
        EXPECT_EQ(failure.message(), load_text(texts::settings_unreadable));
    }
}

TEST(FirmInfoFile, LargeFileWithDamagedRecordsIsReadToTheCap)
{
    // Far more than one read's worth of damaged records before the good ones.
    Bytes bytes = header_bytes();
    Bytes bad = record_bytes(0x0999, {0x00});
    bad[7] ^= 0xFF;
    for (int i = 0; i < 5000; ++i) {
        bytes.insert(bytes.end(), bad.begin(), bad.end());
    }
    for (uint16_t id = 1; id <= 100; ++id) {
        const Bytes record = record_bytes(id, {0x00});
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    TempFolder folder;
    write_bytes(folder.file(L"DREC.INI"), bytes);
    FirmInfo list;
    list.readSettingsFile(folder.file(L"DREC.INI"));
    ASSERT_EQ(list.count(), FirmInfo::max_records);
    EXPECT_EQ(list.records().back()[1], 78);
}

TEST(FirmInfoLookup, FindGivesTheFirstRecordsValueAndFailsSilentlyWhenAbsent)
{
    FirmInfo list;
    list.parse(joined({header_bytes(), record_bytes(0x0801, {0x00, 0x45}), record_bytes(0x0801, {0x00, 0x60})}),
               false);
    const FirmInfo::ConstValue value = std::as_const(list).find(0x0801);
    EXPECT_EQ(value[1], 0x45);
    EXPECT_EQ(value[5], list.records()[0][7]) << "the check byte stands behind the five value bytes";
    EXPECT_THROW(list.find(0x0812), FirmInfoException);
}

TEST(FirmInfoLookup, FindOrAddAppendsUpToSeventyEightRecords)
{
    FirmInfo list;
    FirmInfo::Value first = list.findOrAdd(0x0812);
    EXPECT_EQ(list.records()[0], (FirmInfo::Record{0x08, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    first[0] = 0x80;
    for (uint16_t id = 1; list.count() < FirmInfo::max_records; ++id) {
        list.findOrAdd(id)[0] = static_cast<uint8_t>(id);
    }
    // Values handed out earlier still point into the list.
    first[1] = 0x00;
    EXPECT_EQ(list.find(0x0812)[0], 0x80);
    EXPECT_EQ(list.find(0x0812)[1], 0x00);
    // A present id is still found in a full list; a new one is refused.
    EXPECT_EQ(list.findOrAdd(5)[0], 5);
    try {
        list.findOrAdd(0x7777);
        FAIL() << "a 79th record was added";
    } catch (const FirmInfoException& failure) {
        EXPECT_EQ(failure.message(), L"") << "absent items fail without a message";
    }
    EXPECT_EQ(list.count(), FirmInfo::max_records);
}

} // namespace
