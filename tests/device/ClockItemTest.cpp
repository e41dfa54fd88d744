#include "device/ClockItem.h"

#include "device/RecordBytes.h"
#include "device/SettingsItems.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

Bytes clock_record(const FirmInfo& list)
{
    const Bytes file = list.settings_file_bytes();
    return Bytes(file.begin() + FirmInfo::header_size, file.end());
}

TEST(ClockItem, EachFieldIsStoredAsTwoDigitsAndReadBack)
{
    const struct {
        ClockSetting clock;
        Bytes digits;
    } cases[] = {{{2099, 12, 31, 23, 59}, {0x99, 0x12, 0x31, 0x23, 0x59}},
                 {{2000, 1, 1, 0, 0}, {0x00, 0x01, 0x01, 0x00, 0x00}},
                 {{2024, 2, 29, 7, 5}, {0x24, 0x02, 0x29, 0x07, 0x05}}};
    FirmInfo list;
    for (const auto& c : cases) {
        const ClockSetting& in = c.clock;
        put_clock(list, clock_setting_from_local_time(in.year, in.month, in.day, in.hour, in.minute));
        const Bytes& d = c.digits;
        EXPECT_EQ(clock_record(list), record_bytes(0x0101, {d[0], d[1], d[2], d[3], d[4]}));
        EXPECT_EQ(get_clock(list), in);
    }
    EXPECT_EQ(list.count(), 1u);
}

TEST(ClockItem, TheRoundTripThroughTheCalendarGivesAMomentThatExists)
{
    EXPECT_EQ(clock_setting_from_local_time(2023, 2, 29, 12, 0), (ClockSetting{2023, 3, 1, 12, 0}));
    EXPECT_EQ(clock_setting_from_local_time(2030, 12, 31, 23, 60), (ClockSetting{2031, 1, 1, 0, 0}));
    for (int year : {2000, 2038, 2039, 2050, 2099}) {
        EXPECT_EQ(clock_setting_from_local_time(year, 6, 15, 9, 30), (ClockSetting{year, 6, 15, 9, 30}));
    }
}

TEST(ClockItem, MomentTheSystemCannotConvertFailsWithTheDateMessage)
{
    try {
        const int huge = std::numeric_limits<int>::max();
        clock_setting_from_local_time(huge, huge, 1, 0, 0); // beyond any calendar
        FAIL() << "converted";
    } catch (const FirmInfoException& failure) {
        EXPECT_EQ(failure.message(), L"日時が有効な範囲にありません。");
    }
}

TEST(ClockItem, ReadingTakesTheYearAsTwoThousandAndTheDigits)
{
    FirmInfo list;
    list.parse(joined({header_bytes(), record_bytes(0x0101, {0x07, 0x08, 0x09, 0x10, 0x11})}), false);
    EXPECT_EQ(get_clock(list), (ClockSetting{2007, 8, 9, 10, 11}));
    EXPECT_FALSE(get_clock(FirmInfo()).has_value());
}

TEST(ClockItem, YearOfAnotherCenturyKeepsOnlyItsLastTwoDigits)
{
    FirmInfo list;
    put_clock(list, ClockSetting{2105, 1, 2, 3, 4});
    EXPECT_EQ(clock_record(list), record_bytes(0x0101, {0x05, 0x01, 0x02, 0x03, 0x04}));
}

} // namespace
