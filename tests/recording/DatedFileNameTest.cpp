// The names the save dialogs propose.
#include "recording/DatedFileName.h"

#include "base/Text.h"
#include "platform/FileSystem.h"
#include "support/TestZone.h"

#include <gtest/gtest.h>

namespace {

// A card path with the system's separators.
std::wstring card_path(const std::wstring& kind, const std::wstring& folder)
{
    return L"E:" + std::wstring(1, path_separator) + kind + path_separator + folder;
}

TEST(DatedFileName, TheRecordingsLocalDateAndTimeNameTheFile)
{
    use_recorder_time_zone();
    const long long time = jst_seconds(2010, 1, 2, 3, 4, 5);
    const std::wstring event = card_path(L"EVENT", L"0001");
    EXPECT_EQ(dated_file_name(texts::save_frame_file_name, time, event, 123), L"20100102_030405_00123.jpg");
    EXPECT_EQ(dated_file_name(texts::save_frame_file_name, time, event, 35999), L"20100102_030405_35999.jpg");
    const long long last_second = jst_seconds(2099, 12, 31, 23, 59, 59);
    EXPECT_EQ(dated_file_name(texts::telemetry_file_name, last_second, card_path(L"CONT", L"0002")), L"20991231_235959.csv");
}

TEST(DatedFileName, WithoutAValidTimeTheFolderNamesTheFile)
{
    use_recorder_time_zone();
    const std::wstring event = card_path(L"EVENT", L"0001") + path_separator;
    EXPECT_EQ(dated_file_name(texts::save_frame_file_name, 0, event, 7), L"0001_00007.jpg");
    EXPECT_EQ(dated_file_name(texts::telemetry_file_name, 0, card_path(L"CONT", L"0002")), L"0002.csv");
}

} // namespace
