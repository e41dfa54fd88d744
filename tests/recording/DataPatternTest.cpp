#include "recording/DataPattern.h"

#include <gtest/gtest.h>

namespace {

TEST(DataPattern, EventAndImageFilesAreToldByTheirExtensionAlone)
{
    EXPECT_TRUE(matches_data_pattern(L"Video.dvt", L"Video.dvt"));
    EXPECT_TRUE(matches_data_pattern(L"Video.dvt", L"old.DVT"));
    EXPECT_TRUE(matches_data_pattern(L"*.dpc", L"0001.dpc"));
    EXPECT_TRUE(matches_data_pattern(L"*.dpc", L"X.DpC"));
    EXPECT_FALSE(matches_data_pattern(L"*.dpc", L"0001.dpcx"));
    EXPECT_FALSE(matches_data_pattern(L"*.dpc", L"0001.jpg"));
    EXPECT_FALSE(matches_data_pattern(L"Video.dvt", L"dvt"));
    EXPECT_TRUE(matches_data_pattern(L"*.dpc", L".dpc"));
}

TEST(DataPattern, ChapterNamesAreVideoFourDigitsAndTheExtension)
{
    EXPECT_TRUE(matches_data_pattern(L"Video????.dmv", L"Video0001.dmv"));
    EXPECT_TRUE(matches_data_pattern(L"Video????.dmv", L"VIDEO0001.DMV"));
    EXPECT_TRUE(matches_data_pattern(L"Video????.dmv", L"video9999.Dmv"));
    EXPECT_FALSE(matches_data_pattern(L"Video????.dmv", L"Video001.dmv"));
    EXPECT_FALSE(matches_data_pattern(L"Video????.dmv", L"Video00001.dmv"));
    EXPECT_FALSE(matches_data_pattern(L"Video????.dmv", L"VideoA001.dmv"));
    EXPECT_FALSE(matches_data_pattern(L"Video????.dmv", L"Clip0001.dmv"));
    EXPECT_FALSE(matches_data_pattern(L"Video????.dmv", L"Video0001.dvt"));
    EXPECT_FALSE(matches_data_pattern(L"Video????.dmv", L"Video\x0661" L"001.dmv")); // not an ASCII digit
}

} // namespace
