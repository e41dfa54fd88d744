#include "samplecard/CivilTime.h"
#include "samplecard/RecorderBytes.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace samplecard;
using samplecard_test::bcd;

TEST(RecorderBytes, BigEndianFieldsPutTheHighByteFirst)
{
    uint8_t out[6] = {};
    put_be16(out, 0x01A2);
    put_be32(out + 2, 0x0012D687);
    EXPECT_EQ(Bytes(out, out + 6), (Bytes{0x01, 0xA2, 0x00, 0x12, 0xD6, 0x87}));
}

TEST(RecorderBytes, PackedBcdKeepsTheLowDigitsOfWhatDoesNotFit)
{
    Bytes out(4, 0xEE);
    put_bcd(out.data(), 2, 1234);
    put_bcd(out.data() + 2, 2, 7);
    EXPECT_EQ(out, (Bytes{0x12, 0x34, 0x00, 0x07}));
    put_bcd(out.data(), 4, 123456789); // nine digits in eight: the counter wraps
    EXPECT_EQ(bcd(out, 0, 4), 23456789);
    put_bcd(out.data(), 1, 100);
    EXPECT_EQ(out[0], 0x00);
}

TEST(RecorderBytes, GValuesCarryTheSignInTheThousandsDigit)
{
    EXPECT_EQ(g_digits(-0.123), 8123);
    EXPECT_EQ(g_digits(0.123), 123);
    EXPECT_EQ(g_digits(0.0), 0);
    EXPECT_EQ(g_digits(-1.5), 9500);
    EXPECT_EQ(g_digits(7.0), 7000);
    // A negative value that rounds to zero is written as plain zero, not as "minus zero".
    EXPECT_EQ(g_digits(-0.0004), 0);
    EXPECT_EQ(g_digits(-0.0006), 8001);
    // Beyond what four digits can say the value stays at the end of the range.
    EXPECT_EQ(g_digits(9.0), 7999);
    EXPECT_EQ(g_digits(-3.0), 9999);
}

TEST(RecorderBytes, RawSensorCountsCentreOn512AndStayInTheSensorRange)
{
    EXPECT_EQ(raw_g_count(0.0), 512);
    EXPECT_EQ(raw_g_count(0.01468), 513);
    EXPECT_EQ(raw_g_count(-0.6166), 470);
    EXPECT_EQ(raw_g_count(-10.0), 215);
    EXPECT_EQ(raw_g_count(10.0), 808);
}

TEST(RecorderBytes, SpeedIsWholeKilometresPerHourUpTo180)
{
    EXPECT_EQ(speed_digits(44.6), 45);
    EXPECT_EQ(speed_digits(-0.2), 0);
    EXPECT_EQ(speed_digits(230.0), 180);
}

TEST(RecorderBytes, DatesAreSixBcdBytesWithATwoDigitYear)
{
    Bytes out(6);
    put_bcd_time(out.data(), CivilTime{2099, 12, 31, 23, 59, 58});
    EXPECT_EQ(out, (Bytes{0x99, 0x12, 0x31, 0x23, 0x59, 0x58}));
    put_bcd_time(out.data(), CivilTime{2011, 2, 30, 0, 0, 0}); // written as given, even when invalid
    EXPECT_EQ(out, (Bytes{0x11, 0x02, 0x30, 0x00, 0x00, 0x00}));
}

TEST(CivilTime, AddingSecondsCarriesIntoDaysMonthsAndYears)
{
    const CivilTime end_of_year{2011, 12, 31, 23, 59, 30};
    EXPECT_EQ(end_of_year.plus_seconds(45), (CivilTime{2012, 1, 1, 0, 0, 15}));
    EXPECT_EQ((CivilTime{2012, 2, 28, 12, 0, 0}).plus_seconds(86400), (CivilTime{2012, 2, 29, 12, 0, 0}));
    EXPECT_EQ((CivilTime{2011, 2, 28, 12, 0, 0}).plus_seconds(86400), (CivilTime{2011, 3, 1, 12, 0, 0}));
    EXPECT_EQ((CivilTime{2011, 3, 1, 0, 0, 5}).plus_seconds(-10), (CivilTime{2011, 2, 28, 23, 59, 55}));
    EXPECT_EQ((CivilTime{2000, 1, 1, 0, 0, 0}).seconds_since_2000(), 0);
    EXPECT_EQ((CivilTime{2001, 1, 1, 0, 0, 1}).seconds_since_2000(), 366 * 86400 + 1);
}

} // namespace
