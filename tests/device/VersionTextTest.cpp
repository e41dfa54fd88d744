// The version text of the version dialog, made from file version strings.
#include "device/VersionText.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionText, DigitsKeptFirstTwoCommasBecomePeriodsStopAtTheThird)
{
    EXPECT_EQ(versionTextFrom(L"2, 10, 3, 7"), L"2.10.3");
    EXPECT_EQ(versionTextFrom(L"1, 0, 1, 0"), L"1.0.1");
    EXPECT_EQ(versionTextFrom(L"1,0,0,0"), L"1.0.0");
    EXPECT_EQ(versionTextFrom(L"12, 345, 6789, 1, 2"), L"12.345.6789");
}

TEST(VersionText, EveryOtherCharacterIsDropped)
{
    EXPECT_EQ(versionTextFrom(L"v2, 10 beta, 3"), L"2.10.3");
    EXPECT_EQ(versionTextFrom(L"1.2.3.4"), L"1234") << "periods are not separators";
    EXPECT_EQ(versionTextFrom(L"３, 1"), L".1") << "only the ASCII digits count";
}

TEST(VersionText, ShortAndEmptyVersions)
{
    EXPECT_EQ(versionTextFrom(L""), L"");
    EXPECT_EQ(versionTextFrom(L"7"), L"7");
    EXPECT_EQ(versionTextFrom(L"2, 1"), L"2.1");
    EXPECT_EQ(versionTextFrom(L",,,9"), L"..");
}

} // namespace
