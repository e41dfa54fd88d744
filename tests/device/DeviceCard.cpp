#include "DeviceCard.h"

#include "SettingsDump.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

namespace device_test {

void write_device_file(const TempFolder& card, const FirmInfo& list)
{
    std::vector<uint8_t> bytes(FirmInfo::lead_block_size, 0x5A);
    const std::vector<uint8_t> records = list.settings_file_bytes();
    bytes.insert(bytes.end(), records.begin(), records.end());
    card.write(L"FIRMINFO.DAT", bytes);
}

void write_settings_file(const std::wstring& card, const FirmInfo& list)
{
    write_bytes(join_path(card, L"DREC.INI"), list.settings_file_bytes());
}

JsonValue dump(const std::wstring& path)
{
    const SettingsDump dumped = dump_settings_file(path);
    EXPECT_EQ(dumped.exit_code, 0) << dumped.json;
    const auto parsed = parse_json(dumped.json);
    EXPECT_TRUE(parsed.has_value()) << dumped.json;
    return parsed.value_or(JsonValue{});
}

std::string value_digits(const JsonValue& dumped, int id)
{
    for (const JsonValue& record : dumped["records"].items) {
        if (record[0].integer() == id) {
            return record[1].text.substr(4, 10);
        }
    }
    return {};
}

std::vector<int> record_ids(const JsonValue& dumped)
{
    std::vector<int> ids;
    for (const JsonValue& record : dumped["records"].items) {
        ids.push_back(static_cast<int>(record[0].integer()));
    }
    return ids;
}

} // namespace device_test
