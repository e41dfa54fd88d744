#include "device/CardSettings.h"

#include "base/Exception.h"
#include "platform/FileSystem.h"
#include "device/ClockItem.h"
#include "device/RecordBytes.h"
#include "device/SettingsItems.h"
#include "device/ShortWriter.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const Bytes standard_settings = joined({header_bytes(), record_bytes(0x0301, {0x00}), record_bytes(0x0801, {0x00, 0x45}),
                                        record_bytes(0x0802, {0x01, 0x00}), record_bytes(0x0803, {0x02, 0x00}),
                                        record_bytes(0x0804, {0x00, 0x40})});

class CardSettings : public ::testing::Test {
protected:
    std::wstring settings() const { return settings_file_path(card_.path()); }

    TempFolder card_;
};

TEST_F(CardSettings, StandardSettingsReplaceWhateverWasThere)
{
    write_bytes(settings(), joined({header_bytes(), record_bytes(0x0101, {0x24, 0x01, 0x01, 0x08, 0x00}),
                                    record_bytes(0x0304, {0x01})}));
    set_file_attributes(settings(), file_hidden | file_read_only);
    writeDefaultSettings(card_.path());
    EXPECT_EQ(read_bytes(settings()), standard_settings);
    EXPECT_EQ(file_attributes(settings()), file_hidden | file_read_only);
    EXPECT_EQ(default_settings().settings_file_bytes(), standard_settings);
}

TEST_F(CardSettings, SettingsAndClockWrittenInTurnBothStay)
{
    FirmInfo settings_list;
    put_g_threshold(settings_list, 52);
    put_overwrite(settings_list, false);
    put_operation_buzzer(settings_list, BuzzerVolume::Loud);
    put_event_buzzer(settings_list, BuzzerVolume::Off);
    put_lateral_correction(settings_list, 12);
    put_direction_correction(settings_list, -5);
    write_settings_to_card(card_.path(), settings_list);

    FirmInfo clock_list;
    put_clock(clock_list, ClockSetting{2031, 4, 5, 6, 7});
    write_settings_to_card(card_.path(), clock_list);

    FirmInfo on_card;
    on_card.readSettingsFile(settings());
    EXPECT_EQ(on_card.count(), 10u);
    EXPECT_EQ(on_card.records()[0][1], 0x01) << "the clock comes first, the settings follow";
    EXPECT_EQ(get_clock(on_card), (ClockSetting{2031, 4, 5, 6, 7}));
    EXPECT_EQ(get_g_threshold(on_card), 52);
    EXPECT_EQ(get_direction_correction(on_card), -5);

    // Writing the settings again keeps the clock.
    put_g_threshold(settings_list, 40);
    write_settings_to_card(card_.path(), settings_list);
    on_card.readSettingsFile(settings());
    EXPECT_EQ(get_clock(on_card), (ClockSetting{2031, 4, 5, 6, 7}));
    EXPECT_EQ(get_g_threshold(on_card), 40);
}

TEST_F(CardSettings, FileThatDoesNotReadBackAsWrittenIsDeleted)
{
    write_bytes(settings(), joined({header_bytes(), record_bytes(0x0101, {0x24, 0x01, 0x01, 0x08, 0x00})}));
    FirmInfo list;
    put_overwrite(list, true);
    // Header, the list's record and the merged clock record.
    GarblingCardWriter writer(3 * FirmInfo::record_size);
    try {
        list.write(settings(), true, writer);
        list.verify(settings());
        FAIL() << "a garbled file verified";
    } catch (const FirmInfoException& failure) {
        EXPECT_EQ(failure.message(), L"一部のファイルの展開に失敗しました。");
    }
    // Through the card's write the same garbling leaves no file.
    write_bytes(settings(), joined({header_bytes(), record_bytes(0x0101, {0x24, 0x01, 0x01, 0x08, 0x00})}));
    FirmInfo again;
    put_overwrite(again, false);
    GarblingCardWriter garbling(3 * FirmInfo::record_size);
    EXPECT_THROW(write_settings_to_card(card_.path(), again, garbling), FirmInfoException);
    EXPECT_FALSE(file_exists(settings()));
}

TEST_F(CardSettings, FailedStandardSettingsLeaveNoFile)
{
    write_bytes(settings(), joined({header_bytes(), record_bytes(0x0304, {0x01})}));
    FillingCardWriter filling(2);
    EXPECT_THROW(writeDefaultSettings(card_.path(), filling), Exception);
    EXPECT_FALSE(file_exists(settings()));
}

TEST_F(CardSettings, CardThatIsNotThereFailsWithTheWritingMessage)
{
    FirmInfo list;
    put_overwrite(list, true);
    const std::wstring gone = card_.file(L"removed");
    try {
        write_settings_to_card(gone, list);
        FAIL() << "written to a card that is not there";
    } catch (const Exception& failure) {
        EXPECT_EQ(failure.message(), L"設定ファイルを書き込めません。");
    }
    EXPECT_THROW(writeDefaultSettings(gone), Exception);
    EXPECT_FALSE(file_attributes(gone).has_value());
}

} // namespace
