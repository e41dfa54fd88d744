#include "SettingsDump.h"

#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "device/RecordBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class SettingsDumpTest : public ::testing::Test {
protected:
    TempFolder folder_;
};

TEST_F(SettingsDumpTest, RecordsAsHexAndTheItemsDecoded)
{
    const std::wstring path = folder_.file(L"DREC.INI");
    write_bytes(path, joined({header_bytes(), record_bytes(0x0801, {0x00, 0x45}), record_bytes(0x0802, {0x10}),
                              record_bytes(0x0812, {0x01, 0x05}), record_bytes(0x1801, {0x00}),
                              record_bytes(0x0101, {0x99, 0x12, 0x31, 0x23, 0x59}), record_bytes(0x0803, {0x02, 0x00}),
                              record_bytes(0x7F01, {0xAB})}));
    const SettingsDump dump = dump_settings_file(path);
    EXPECT_EQ(dump.exit_code, 0);
    EXPECT_EQ(dump.json,
              "{\"records\": [[2049, \"08010045FFFFFFB3\"], [2050, \"080210FFFFFFFF1A\"], [2066, \"08120105FFFFFFE1\"], "
              "[6145, \"180100FFFFFFFF19\"], [257, \"01019912312359C0\"], [2051, \"08030200FFFFFFF6\"], "
              "[32513, \"7F01ABFFFFFFFFD5\"]], "
              "\"items\": {\"ItemOperationBuzzer\": null, \"ItemEventBuzzer\": null, \"ItemGThreshold\": 45, "
              "\"ItemSensorParam2\": 10, \"ItemSensorParam3\": 200, \"ItemSensorParam4\": null, "
              "\"ItemLateralCorrection\": null, \"ItemDirectionCorrection\": -5, \"ItemOverwrite\": 0, "
              "\"ItemClock\": {\"year\": 2099, \"month\": 12, \"day\": 31, \"hour\": 23, \"minute\": 59}}}");
}

TEST_F(SettingsDumpTest, InformationFileIsReadWithItsLeadBlockInAnyCase)
{
    const Bytes device = joined({lead_block(), header_bytes(), record_bytes(0x0304, {0x02}),
                                 record_bytes(0x0812, {0x01, 0x50})});
    for (const wchar_t* name : {L"FIRMINFO.DAT", L"firminfo.dat", L"FirmInfo.Dat"}) {
        const std::wstring path = folder_.file(name);
        write_bytes(path, device);
        const SettingsDump dump = dump_settings_file(path);
        EXPECT_EQ(dump.exit_code, 0);
        EXPECT_NE(dump.json.find("\"records\": [[772, \"030402FFFFFFFF05\"], [2066, \"08120150FFFFFFB4\"]]"),
                  std::string::npos)
            << dump.json;
        EXPECT_NE(dump.json.find("\"ItemEventBuzzer\": 2,"), std::string::npos) << dump.json;
        EXPECT_NE(dump.json.find("\"ItemDirectionCorrection\": 8000,"), std::string::npos) << dump.json;
        delete_file(path);
    }
    // The same bytes under another name have no lead block, and so no valid header.
    const std::wstring other = folder_.file(L"FIRMINFO.BAK");
    write_bytes(other, device);
    EXPECT_EQ(dump_settings_file(other).exit_code, 1);
}

TEST_F(SettingsDumpTest, UnreadableFileGivesTheMessageAndExitCodeOne)
{
    const SettingsDump missing = dump_settings_file(folder_.file(L"DREC.INI"));
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_EQ(missing.json, "{\"error\": \"設定ファイルを読み込めません。\"}");

    const std::wstring short_file = folder_.file(L"FIRMINFO.DAT");
    write_bytes(short_file, Bytes(23, 0x00));
    EXPECT_EQ(dump_settings_file(short_file).json, missing.json);
}

TEST_F(SettingsDumpTest, EmptyListHasEveryItemNull)
{
    const std::wstring path = folder_.file(L"DREC.INI");
    write_bytes(path, header_bytes());
    const SettingsDump dump = dump_settings_file(path);
    EXPECT_EQ(dump.json, "{\"records\": [], \"items\": {\"ItemOperationBuzzer\": null, \"ItemEventBuzzer\": null, "
                         "\"ItemGThreshold\": null, \"ItemSensorParam2\": null, \"ItemSensorParam3\": null, "
                         "\"ItemSensorParam4\": null, \"ItemLateralCorrection\": null, "
                         "\"ItemDirectionCorrection\": null, \"ItemOverwrite\": null, \"ItemClock\": null}}");
}

} // namespace
