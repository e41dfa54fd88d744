#include "device/SettingsItems.h"

#include "device/RecordBytes.h"

#include <gtest/gtest.h>

namespace {

// The record of `id` as it goes into the file (check byte made right).
Bytes record_of(const FirmInfo& list, uint16_t id)
{
    const Bytes file = list.settings_file_bytes();
    for (size_t at = FirmInfo::header_size; at < file.size(); at += FirmInfo::record_size) {
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

TEST(GThreshold, FourDigitsWithTheThreeOneByteSensorParametersBesideItClampedToItsRange)
{
    FirmInfo list;
    put_g_threshold(list, 45);
    ASSERT_EQ(list.count(), 4u);
    EXPECT_EQ(record_of(list, ItemGThreshold), record_bytes(0x0801, {0x00, 0x45}));
    EXPECT_EQ(record_of(list, ItemSensorParam2), record_bytes(0x0802, {0x10}));
    EXPECT_EQ(record_of(list, ItemSensorParam3), record_bytes(0x0803, {0x20}));
    EXPECT_EQ(record_of(list, ItemSensorParam4), record_bytes(0x0804, {0x04}));
    EXPECT_EQ(get_g_threshold(list), 45);
    put_g_threshold(list, 75);
    EXPECT_EQ(get_g_threshold(list), 60);
    put_g_threshold(list, -3);
    EXPECT_EQ(get_g_threshold(list), 40);
    EXPECT_EQ(list.count(), 4u) << "a second put changes the records in place";
    EXPECT_EQ(get_g_threshold(stored(ItemGThreshold, {0x00, 0x38})), 38) << "read as stored";
}

TEST(DirectionCorrection, NegativeAnglesAsHundredMinusTheAngleAndLearnAutomaticallyAsEightThousand)
{
    const struct {
        int angle;
        Bytes digits;
    } cases[] = {{-5, {0x01, 0x05}}, {-45, {0x01, 0x45}}, {45, {0x00, 0x45}}, {0, {0x00, 0x00}},
                 {LearnAutomatically, {0x80, 0x00}}};
    for (const auto& c : cases) {
        FirmInfo list;
        put_direction_correction(list, c.angle);
        EXPECT_EQ(record_of(list, ItemDirectionCorrection), record_bytes(0x0812, {c.digits[0], c.digits[1]}));
        EXPECT_EQ(get_direction_correction(list), c.angle);
    }
    FirmInfo list;
    put_direction_correction(list, -50);
    EXPECT_EQ(get_direction_correction(list), -45);
}

TEST(DirectionCorrection, StoredValuesOutsideTheAnglesReadAsLearnAutomatically)
{
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x01, 0x50})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x01, 0x46})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x00, 0x46})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x00, 0x99})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0xFF, 0xFF})), LearnAutomatically);
    EXPECT_EQ(get_direction_correction(stored(ItemDirectionCorrection, {0x01, 0x00})), 0);
}

TEST(PlainItems, StoredAsTheirDigitsAndReadBackWithTheViewersMeaning)
{
    FirmInfo list;
    put_lateral_correction(list, 30);
    put_overwrite(list, false);
    put_operation_buzzer(list, BuzzerVolume::Loud);
    put_event_buzzer(list, BuzzerVolume::Off);
    EXPECT_EQ(record_of(list, ItemLateralCorrection), record_bytes(0x0811, {0x00, 0x30}));
    EXPECT_EQ(record_of(list, ItemOverwrite), record_bytes(0x1801, {0x00}));
    EXPECT_EQ(record_of(list, ItemOperationBuzzer), record_bytes(0x0301, {0x01}));
    EXPECT_EQ(record_of(list, ItemEventBuzzer), record_bytes(0x0304, {0x02}));
    EXPECT_EQ(get_lateral_correction(list), 30);
    EXPECT_EQ(get_overwrite(list), false);
    EXPECT_EQ(get_operation_buzzer(list), BuzzerVolume::Loud);
    EXPECT_EQ(get_event_buzzer(list), BuzzerVolume::Off);

    put_lateral_correction(list, 31);
    EXPECT_EQ(get_lateral_correction(list), 30);
    EXPECT_EQ(get_overwrite(stored(ItemOverwrite, {0x07})), true);
    EXPECT_EQ(get_operation_buzzer(stored(ItemOperationBuzzer, {0x03})), BuzzerVolume::Standard);
    EXPECT_EQ(get_sensor_parameter(stored(ItemSensorParam3, {0x20}), ItemSensorParam3), 20);
    EXPECT_EQ(get_sensor_parameter(stored(ItemSensorParam3, {0x02, 0x00}), ItemSensorParam3), 200);
}

TEST(PlainItems, AbsentItemsReadAsNothingAndAPutResetsUnusedBytes)
{
    FirmInfo list = stored(ItemOverwrite, {0x00, 0x12, 0x34, 0x56, 0x78});
    EXPECT_FALSE(get_g_threshold(list).has_value());
    EXPECT_FALSE(get_direction_correction(list).has_value());
    EXPECT_FALSE(get_event_buzzer(list).has_value());
    EXPECT_FALSE(get_sensor_parameter(list, ItemSensorParam3).has_value());
    put_overwrite(list, true);
    EXPECT_EQ(record_of(list, ItemOverwrite), record_bytes(0x1801, {0x01}));
}

} // namespace
