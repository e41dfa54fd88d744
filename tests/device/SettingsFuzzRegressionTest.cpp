// The settings fuzzer's exercise on damaged files made by hand and on every input kept beside
// this test: reading never fails in a way other than its message, and what was read survives a
// write and a second read, also when merged into.
#include "SettingsExercise.h"

#include "base/Text.h"
#include "device/FirmInfo.h"
#include "device/SettingsItems.h"
#include "platform/FileSearch.h"
#include "platform/FileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint8_t> header() { return {0x00, 0x01, 0x03, 0x12, 0xFF, 0xFF, 0xFF, 0xEF}; }

std::vector<uint8_t> record(uint16_t id, std::vector<uint8_t> value, bool good_check = true)
{
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(id >> 8), static_cast<uint8_t>(id)};
    value.resize(5, 0xFF);
    bytes.insert(bytes.end(), value.begin(), value.end());
    bytes.push_back(static_cast<uint8_t>(check_byte(bytes.data(), 7) ^ (good_check ? 0 : 0x40)));
    return bytes;
}

std::vector<uint8_t> joined(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> bytes;
    for (const auto& part : parts) {
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

void expect_consistent(const std::vector<uint8_t>& input, const TempFolder& folder, const std::string& what)
{
    const SettingsExerciseResult result = exercise_settings(input.data(), input.size(), folder.file(L"DREC.INI"));
    EXPECT_TRUE(result.consistent) << what;
    EXPECT_FALSE(file_exists(folder.file(L"DREC.INI"))) << what;
}

TEST(SettingsFuzzRegression, DamagedFilesReadConsistently)
{
    TempFolder folder;
    const std::vector<uint8_t> lead(16, 0xA5);
    expect_consistent({}, folder, "empty");
    expect_consistent(lead, folder, "lead block only");
    expect_consistent(joined({lead, header()}), folder, "no records");
    expect_consistent(joined({lead, {0x00, 0x01, 0x04, 0x12, 0xFF, 0xFF, 0xFF, 0xEE}}), folder, "other model");
    expect_consistent(joined({header(), record(ItemGThreshold, {0x00, 0x45}, false), record(ItemClock, {0x99, 0x12})}),
                      folder, "bad check byte, then an odd clock");
    expect_consistent(joined({header(), record(ItemDirectionCorrection, {0xFA, 0xFA}), {0x08, 0x01, 0x00}}), folder,
                      "nibbles beyond nine and a partial record");
    std::vector<uint8_t> crowded = header();
    for (int i = 0; i < 90; ++i) {
        const auto more = record(static_cast<uint16_t>(0x2000 + i), {static_cast<uint8_t>(i)});
        crowded.insert(crowded.end(), more.begin(), more.end());
    }
    expect_consistent(crowded, folder, "more records than a list holds");
    // The same id twice: the first one counts, and the write keeps both as they were.
    expect_consistent(joined({header(), record(ItemClock, {0x01}), record(ItemClock, {0x02})}), folder, "twice");
}

TEST(SettingsFuzzRegression, EveryKeptInputReadsConsistently)
{
    TempFolder folder;
    const std::wstring kept = TARVO_SETTINGS_FUZZ_REGRESSIONS;
    const std::vector<std::wstring> names = find_files(kept, L"*");
    ASSERT_FALSE(names.empty());
    for (const std::wstring& name : names) {
        expect_consistent(read_bytes(join_path(kept, name)), folder, to_narrow(name));
    }
}

} // namespace
