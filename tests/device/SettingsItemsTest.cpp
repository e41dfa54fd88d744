#include "device/SettingsItems.h"

#include "app/Exception.h"
#include "device/RecordBytes.h"

#include <gtest/gtest.h>

namespace {

// The record of `id` as it goes into the file (check byte made right).
Bytes record_of(const FirmInfo& list, uint16_t id)
{
    const Bytes file = list.settings_file_bytes();
    for (size_t at = FirmInfo::header_size; at + FirmInfo::record_size <= file.size(); at += FirmInfo::record_size) {
        if ((file[at] << 8 | file[at + 1]) == id) {
            return Bytes(file.begin() + static_cast<std::ptrdiff_t>(at),
                         file.begin() + static_cast<std::ptrdiff_t>(at + FirmInfo::record_size));
        }
    }
    ADD_FAILURE() << "no record " << id;
    return {};
}

// A list as read from a file holding one record with these value bytes.
FirmInfo stored(uint16_t id, std::initializer_list<uint8_t> values)
{
    FirmInfo list;
    list.parse(joined({header_bytes(), record_bytes(id, values)}), false);
    return list;
}

TEST(GThreshold, WrittenAsFourDigitsWithTheThreeSensorParametersBesideIt)
{
    FirmInfo list;
    put_g_threshold(list, 45);
    ASSERT_EQ(list.count(), 4u);
    EXPECT_EQ(record_of(list, ItemGThreshold), record_bytes(0x0801, {0x00, 0x45}));
    EXPECT_EQ(record_of(list, ItemSensorParam2), record_bytes(0x0802, {0x10}));
    EXPECT_EQ(record_of(list, ItemSensorParam3), record_bytes(0x0803, {0x20}));
    EXPECT_EQ(record_of(list, ItemSensorParam4), record_bytes(0x0804, {0x04}));
    EXPECT_EQ(get_sensor_parameter(list, ItemSensorParam2), 10);
    EXPECT_EQ(get_sensor_parameter(list, ItemSensorParam4), 4);
}

TEST(GThreshold, EveryChoiceRoundTripsAndOutOfRangeIsClamped)
{
    for (int value = min_g_threshold; value <= max_g_threshold; ++value) {
        FirmInfo list;
        put_g_threshold(list, value);
        EXPECT_EQ(get_g_threshold(list), value);
    }
    FirmInfo list;
    put_g_threshold(list, 75);
    EXPECT_EQ(record_of(list, ItemGThreshold), record_bytes(0x0801, {0x00, 0x60}));
    put_g_threshold(list, -3);
    EXPECT_EQ(record_of(list, ItemGThreshold), record_bytes(0x0801, {0x00, 0x40}));
    EXPECT_EQ(list.count(), 4u) << "a second put changes the records in place";
    // A stored value is read as it is, even one the recorder should not have written.
    EXPECT_EQ(get_g_threshold(stored(ItemGThreshold, {0x00, 0x38})), 38);
}

TEST(LateralCorrection, FourDigitsZeroToThirty)
{
    for (int value = min_lateral_correction; value <= max_lateral_correction; ++value) {
        FirmInfo list;
        put_lateral_correction(list, value);
        EXPECT_EQ(get_lateral_correction(list), value);
    }
    FirmInfo list;
    put_lateral_correction(list, 30);
    EXPECT_EQ(record_of(list, ItemLateralCorrection), record_bytes(0x0811, {0x00, 0x30}));
    put_lateral_correction(list, 31);
    EXPECT_EQ(get_lateral_correction(list), 30);
    EXPECT_EQ(list.count(), 1u);
}

TEST(DirectionCorrection, NegativeAnglesAreStoredAsHundredMinusTheAngle)
{
    FirmInfo list;
    put_direction_correction(list, -5);
    EXPECT_EQ(record_of(list, ItemDirectionCorrection), record_bytes(0x0812, {0x01, 0x05}));
    EXPECT_EQ(get_direction_correction(list), -5);
    put_direction_correction(list, -45);
    EXPECT_EQ(record_of(list, ItemDirectionCorrection), record_bytes(0x0812, {0x01, 0x45}));
    put_direction_correction(list, 45);
    EXPECT_EQ(record_of(list, ItemDirectionCorrection), record_bytes(0x0812, {0x00, 0x45}));
    for (int angle = min_direction_correction; angle <= max_direction_correction; ++angle) {
        put_direction_correction(list, angle);
        EXPECT_EQ(get_direction_correction(list), angle);
    }
    put_direction_correction(list, -50);
    EXPECT_EQ(get_direction_correction(list), -45);
    put_direction_correction(list, 46);
    EXPECT_EQ(get_direction_correction(list), 45);
}

TEST(DirectionCorrection, LearnAutomaticallyIsEightThousandAndSoIsAnythingOutOfRange)
{
    FirmInfo list;
    put_direction_correction(list, LearnAutomatically);
    EXPECT_EQ(record_of(list, ItemDirectionCorrection), record_bytes(0x0812, {0x80, 0x00}));
    EXPECT_EQ(get_direction_correction(list), LearnAutomatically);

    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x01, 0x50})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x01, 0x46})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x00, 0x46})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x00, 0x99})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x79, 0x99})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0xFF, 0xFF})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x01, 0x45})), -45);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x01, 0x00})), 0);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x00, 0x45})), 45);
}

TEST(Overwrite, OneOrZeroAndAnyOtherNumberMeansYes)
{
    FirmInfo list;
    put_overwrite(list, true);
    EXPECT_EQ(record_of(list, ItemOverwrite), record_bytes(0x1801, {0x01}));
    EXPECT_EQ(get_overwrite(list), true);
    put_overwrite(list, false);
    EXPECT_EQ(record_of(list, ItemOverwrite), record_bytes(0x1801, {0x00}));
    EXPECT_EQ(get_overwrite(list), false);
    EXPECT_EQ(get_overwrite(stored(ItemOverwrite, {0x07})), true);
}

TEST(Buzzers, EachVolumeRoundTripsAndStrangeValuesReadAsStandard)
{
    const BuzzerVolume volumes[] = {BuzzerVolume::Standard, BuzzerVolume::Loud, BuzzerVolume::Off};
    for (const BuzzerVolume operation : volumes) {
        for (const BuzzerVolume event : volumes) {
            FirmInfo list;
            put_operation_buzzer(list, operation);
            put_event_buzzer(list, event);
            EXPECT_EQ(get_operation_buzzer(list), operation);
            EXPECT_EQ(get_event_buzzer(list), event);
        }
    }
    FirmInfo list;
    put_event_buzzer(list, BuzzerVolume::Off);
    EXPECT_EQ(record_of(list, ItemEventBuzzer), record_bytes(0x0304, {0x02}));
    EXPECT_FALSE(get_operation_buzzer(list).has_value());
    EXPECT_EQ(get_operation_buzzer(stored(ItemOperationBuzzer, {0x03})), BuzzerVolume::Standard);
    EXPECT_EQ(get_event_buzzer(stored(ItemEventBuzzer, {0x12})), BuzzerVolume::Standard);
}

TEST(Items, AbsentItemsReadAsNothing)
{
    const FirmInfo list = stored(ItemClock, {0x99, 0x12, 0x31, 0x23, 0x59});
    EXPECT_FALSE(get_g_threshold(list).has_value());
    EXPECT_FALSE(get_lateral_correction(list).has_value());
    EXPECT_FALSE(get_direction_correction(list).has_value());
    EXPECT_FALSE(get_overwrite(list).has_value());
    EXPECT_FALSE(get_event_buzzer(list).has_value());
    EXPECT_FALSE(get_sensor_parameter(list, ItemSensorParam3).has_value());
}

TEST(Items, PutOverAReadRecordResetsTheUnusedBytes)
{
    FirmInfo list = stored(ItemOverwrite, {0x00, 0x12, 0x34, 0x56, 0x78});
    put_overwrite(list, true);
    EXPECT_EQ(record_of(list, ItemOverwrite), record_bytes(0x1801, {0x01}));
}

TEST(Items, SensorParameterReadsOneOrTwoBytes)
{
    EXPECT_EQ(get_sensor_parameter(stored(ItemSensorParam3, {0x20}), ItemSensorParam3), 20);
    EXPECT_EQ(get_sensor_parameter(stored(ItemSensorParam3, {0x02, 0x00}), ItemSensorParam3), 200);
    FirmInfo list;
    put_sensor_parameter_four_digits(list, ItemSensorParam4, 40);
    EXPECT_EQ(record_of(list, ItemSensorParam4), record_bytes(0x0804, {0x00, 0x40}));
    EXPECT_EQ(get_sensor_parameter(list, ItemSensorParam4), 40);
}

TEST(Items, PutIntoAFullListFailsWithoutAMessage)
{
    FirmInfo list;
    for (uint16_t id = 1; list.count() < FirmInfo::max_records; ++id) {
        list.findOrAdd(id);
    }
    try {
        put_overwrite(list, true);
        FAIL() << "the item was added";
    } catch (const FirmInfoException& failure) {
        EXPECT_EQ(failure.message(), L"");
    }
}

} // namespace
