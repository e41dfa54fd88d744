#include "recording/RecorderFields.h"

#include <gtest/gtest.h>

#include "support/ArchiveBuilder.h"
#include "support/TestZone.h"

namespace {

double g_of(int digits)
{
    return bcd_g_value(bcd(digits, 2).data());
}

double raw_g_of(uint16_t count)
{
    const uint8_t bytes[2] = {static_cast<uint8_t>(count >> 8), static_cast<uint8_t>(count)};
    return raw_g_value(bytes);
}

TEST(RecorderFields, BcdGCarriesTheSignInTheThousandsDigit)
{
    EXPECT_NEAR(g_of(8123), -0.123, 1e-12);
    EXPECT_DOUBLE_EQ(g_of(123), 0.123);
    EXPECT_DOUBLE_EQ(g_of(8000), 0.0);
    EXPECT_DOUBLE_EQ(g_of(7999), 7.999);
    EXPECT_NEAR(g_of(9999), -1.999, 1e-12);
    EXPECT_DOUBLE_EQ(g_of(0), 0.0);
}

TEST(RecorderFields, RawGIsClampedAndZeroMeansNoValue)
{
    EXPECT_DOUBLE_EQ(raw_g_of(0), 0.0);
    EXPECT_DOUBLE_EQ(raw_g_of(100), (215 - 512) * 0.01468);
    EXPECT_NEAR(raw_g_of(100), -4.35996, 1e-12);
    EXPECT_DOUBLE_EQ(raw_g_of(214), raw_g_of(215));
    EXPECT_DOUBLE_EQ(raw_g_of(512), 0.0);
    EXPECT_DOUBLE_EQ(raw_g_of(600), 88 * 0.01468);
    EXPECT_NEAR(raw_g_of(65535), 4.34528, 1e-12);
    EXPECT_DOUBLE_EQ(raw_g_of(809), raw_g_of(808));
}

TEST(RecorderFields, SpeedEndsAt180)
{
    EXPECT_EQ(bcd_speed(bcd(0, 2).data()), 0);
    EXPECT_EQ(bcd_speed(bcd(179, 2).data()), 179);
    EXPECT_EQ(bcd_speed(bcd(180, 2).data()), 180);
    EXPECT_EQ(bcd_speed(bcd(181, 2).data()), 180);
    EXPECT_EQ(bcd_speed(bcd(9999, 2).data()), 180);
}

TEST(RecorderFields, DatesAreLocalTimeAndInvalidOnesAreZero)
{
    use_recorder_time_zone();
    EXPECT_EQ(bcd_time(bcd_date(10, 1, 2, 3, 4, 5).data()), jst_seconds(2010, 1, 2, 3, 4, 5));
    EXPECT_EQ(bcd_time(bcd_date(0, 1, 1, 0, 0, 0).data()), jst_seconds(2000, 1, 1, 0, 0, 0));
    EXPECT_EQ(bcd_time(bcd_date(99, 12, 31, 23, 59, 59).data()), jst_seconds(2099, 12, 31, 23, 59, 59));
    EXPECT_EQ(bcd_time(bcd_date(8, 2, 29, 12, 0, 0).data()), jst_seconds(2008, 2, 29, 12, 0, 0));
    EXPECT_EQ(bcd_time(bcd_date(40, 6, 15, 8, 30, 0).data()), jst_seconds(2040, 6, 15, 8, 30, 0)); // after 2038

    EXPECT_EQ(bcd_time(bcd_date(9, 2, 30, 12, 0, 0).data()), 0); // 2009-02-30
    EXPECT_EQ(bcd_time(bcd_date(9, 2, 29, 12, 0, 0).data()), 0); // not a leap year
    EXPECT_EQ(bcd_time(bcd_date(10, 1, 2, 24, 0, 0).data()), 0);
    EXPECT_EQ(bcd_time(bcd_date(10, 0, 2, 3, 4, 5).data()), 0);
    EXPECT_EQ(bcd_time(bcd_date(10, 13, 2, 3, 4, 5).data()), 0);
    EXPECT_EQ(bcd_time(bcd_date(10, 1, 0, 3, 4, 5).data()), 0);
    EXPECT_EQ(bcd_time(bcd_date(10, 1, 2, 3, 60, 5).data()), 0);
    // A nibble above 9 counts with its value: 0x0A is month 10, 0x1A month 20.
    const uint8_t october[] = {0x10, 0x0A, 0x02, 0x03, 0x04, 0x05};
    EXPECT_EQ(bcd_time(october), jst_seconds(2010, 10, 2, 3, 4, 5));
    const uint8_t month_twenty[] = {0x10, 0x1A, 0x02, 0x03, 0x04, 0x05};
    EXPECT_EQ(bcd_time(month_twenty), 0);
}

} // namespace
