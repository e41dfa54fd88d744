// The settings dialog on its real template, driven through its controls: what it shows for the
// card's "FIRMINFO.DAT" and what it writes into "DREC.INI".
#include "device/GThresholdDialog09.h"

#include "DeviceCard.h"
#include "DeviceDialogDriver.h"
#include "ShortWriter.h"
#include "base/Text.h"
#include "device/ClockItem.h"
#include "device/DialogControls.h"
#include "device/GThresholdDialog09Page1.h"
#include "device/GThresholdDialog09Page2.h"
#include "device/GThresholdDialog09Page2Ex.h"
#include "device/SettingsItems.h"
#include "platform/FileSystem.h"
#include "support/UiTestSupport.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using namespace device_test;

class GThresholdDialogTest : public ::testing::Test {
protected:
    GThresholdDialogTest() : owner_(100, 80, 700, 560, WS_POPUP | WS_VISIBLE) { user_.chooses(card_.path()); }

    void cardHolds(int threshold)
    {
        FirmInfo device;
        put_g_threshold(device, threshold);
        write_device_file(card_, device);
    }

    INT_PTR run(const std::function<void(HWND)>& script)
    {
        folder_chosen_ = dialog_.cardFolder();
        return run_modal(dialog_, owner_.get(), script);
    }

    HWND item(HWND dialog, int id) { return GetDlgItem(dialog, id); }
    std::wstring comboText(HWND dialog, int id) { return text_of(item(dialog, id)); }

    TempFolder card_;
    HostWindow owner_;
    CardUser user_;
    GThresholdDialog09 dialog_{L"C:\\"};
    std::wstring folder_chosen_;
};

TEST_F(GThresholdDialogTest, AThresholdThatIsALevelOpensTheSimpleTabAtThatLevel)
{
    cardHolds(44);
    const INT_PTR result = run([&](HWND dialog) {
        EXPECT_TRUE(dialog_.loaded());
        EXPECT_EQ(dialog_.selectedTab(), 0);
        EXPECT_EQ(dialog_.page1().position(), 12);
        EXPECT_EQ(text_of(item(dialog_.page1().handle(), IDC_G_LEVEL_LABEL)), L"7");
        EXPECT_TRUE(IsWindowVisible(dialog_.page1().handle()));
        EXPECT_FALSE(IsWindowVisible(dialog_.page2().handle()));
        EXPECT_FALSE(IsWindowVisible(dialog_.page2Ex().handle()));
        EXPECT_EQ(text_of(dialog_.page2().edit()), L"0.44");
        // The placeholders are gone and the pages stand where they stood.
        EXPECT_EQ(item(dialog, IDC_G_PAGE_PLACE), nullptr);
        EXPECT_EQ(item(dialog, IDC_CORRECTION_PAGE_PLACE), nullptr);
        click(item(dialog, IDCANCEL));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(user_.prompts(), std::vector<std::wstring>{load_text(texts::choose_card_drive_for_settings)});
    EXPECT_TRUE(user_.shown().empty());
    EXPECT_FALSE(file_exists(card_.file(L"DREC.INI")));
}

TEST_F(GThresholdDialogTest, AThresholdBetweenLevelsOpensTheDetailedTabAndMarksTheLevel)
{
    cardHolds(46);
    run([&](HWND) {
        EXPECT_EQ(dialog_.selectedTab(), 1);
        EXPECT_EQ(dialog_.page1().position(), 9);
        EXPECT_EQ(text_of(item(dialog_.page1().handle(), IDC_G_LEVEL_LABEL)), L"5*");
        EXPECT_EQ(text_of(dialog_.page2().edit()), L"0.46");
        EXPECT_TRUE(IsWindowVisible(dialog_.page2().handle()));
        EXPECT_TRUE(IsWindowVisible(dialog_.page2Ex().handle()));
        EXPECT_FALSE(IsWindowVisible(dialog_.page1().handle()));

        // The simple tab by key: the level between two levels stays marked; one step right
        // reaches the next level toward "高", and the detailed tab follows it.
        press(GetDlgItem(dialog_.handle(), IDC_SETTINGS_TAB), VK_LEFT);
        EXPECT_EQ(dialog_.selectedTab(), 0);
        EXPECT_TRUE(IsWindowVisible(dialog_.page1().handle()));
        EXPECT_FALSE(IsWindowVisible(dialog_.page2().handle()));
        EXPECT_EQ(dialog_.page1().position(), 9);
        press(dialog_.page1().slider(), VK_RIGHT);
        EXPECT_EQ(dialog_.page1().position(), 10);
        EXPECT_EQ(text_of(item(dialog_.page1().handle(), IDC_G_LEVEL_LABEL)), L"6");
        EXPECT_EQ(dialog_.page2().threshold(), 45);
        // Now a key moves a whole level.
        press(dialog_.page1().slider(), VK_RIGHT);
        EXPECT_EQ(dialog_.page1().position(), 12);
        EXPECT_EQ(dialog_.page2().threshold(), 44);
    });
}

TEST_F(GThresholdDialogTest, ASliderLeftBetweenLevelsSnapsTowardHigh)
{
    cardHolds(45);
    run([&](HWND) {
        SendMessageW(dialog_.page1().slider(), TBM_SETPOS, TRUE, 7);
        SendMessageW(dialog_.page1().handle(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 7),
                     reinterpret_cast<LPARAM>(dialog_.page1().slider()));
        EXPECT_EQ(dialog_.page1().position(), 8);
        EXPECT_EQ(text_of(item(dialog_.page1().handle(), IDC_G_LEVEL_LABEL)), L"5");
        EXPECT_EQ(dialog_.page2().threshold(), 48);
    });
}

TEST_F(GThresholdDialogTest, EveryItemOfTheCardIsShownAndWrittenBackWithTheUsersChanges)
{
    FirmInfo device;
    put_g_threshold(device, 52);
    put_lateral_correction(device, 12);
    put_direction_correction(device, -5);
    put_overwrite(device, false);
    put_operation_buzzer(device, BuzzerVolume::Off);
    put_event_buzzer(device, BuzzerVolume::Loud);
    write_device_file(card_, device);
    const INT_PTR result = run([&](HWND dialog) {
        EXPECT_EQ(dialog_.selectedTab(), 1);
        EXPECT_EQ(text_of(dialog_.page2().edit()), L"0.52");
        EXPECT_EQ(text_of(dialog_.page2Ex().lateralEdit()), L"0.12");
        EXPECT_EQ(text_of(dialog_.page2Ex().angleEdit()), L"-5");
        EXPECT_FALSE(dialog_.page2Ex().learning());
        EXPECT_TRUE(IsWindowEnabled(dialog_.page2Ex().angleEdit()));
        EXPECT_EQ(comboText(dialog, IDC_OVERWRITE_COMBO), load_text(texts::overwrite_no));
        EXPECT_EQ(comboText(dialog, IDC_OPERATION_BUZZER_COMBO), load_text(texts::buzzer_off));
        EXPECT_EQ(comboText(dialog, IDC_EVENT_BUZZER_COMBO), load_text(texts::buzzer_loud));
        // The user raises the threshold and the lateral correction by one with the up arrows.
        click_updown(dialog_.page2().updown(), true);
        click_updown(dialog_.page2Ex().lateralUpdown(), true);
        EXPECT_EQ(text_of(dialog_.page2().edit()), L"0.53");
        EXPECT_EQ(text_of(dialog_.page2Ex().lateralEdit()), L"0.13");
        click_updown(dialog_.page2().updown(), false);
        click_updown(dialog_.page2().updown(), false);
        EXPECT_EQ(text_of(dialog_.page2().edit()), L"0.51");
        click(item(dialog, IDOK));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(user_.texts(), (std::vector<std::wstring>{load_text(texts::confirm_settings_write),
                                                        load_text(texts::settings_written)}));
    EXPECT_EQ(user_.shown()[0].caption_id, texts::caption_confirm);
    EXPECT_EQ(user_.shown()[1].caption_id, texts::caption_information);
    const JsonValue written = dump(card_.file(L"DREC.INI"));
    EXPECT_EQ(record_ids(written), (std::vector<int>{ItemGThreshold, ItemSensorParam2, ItemSensorParam3,
                                                     ItemSensorParam4, ItemOverwrite, ItemOperationBuzzer,
                                                     ItemEventBuzzer, ItemLateralCorrection,
                                                     ItemDirectionCorrection}));
    const JsonValue& items = written["items"];
    EXPECT_EQ(items["ItemGThreshold"].integer(), 51);
    EXPECT_EQ(items["ItemLateralCorrection"].integer(), 13);
    EXPECT_EQ(items["ItemDirectionCorrection"].integer(), -5);
    EXPECT_EQ(items["ItemOverwrite"].integer(), 0);
    EXPECT_EQ(items["ItemOperationBuzzer"].integer(), 2);
    EXPECT_EQ(items["ItemEventBuzzer"].integer(), 1);
    EXPECT_EQ(value_digits(written, ItemDirectionCorrection), "0105FFFFFF");
    EXPECT_EQ(value_digits(written, ItemSensorParam2), "10FFFFFFFF");
    EXPECT_EQ(value_digits(written, ItemSensorParam3), "20FFFFFFFF");
    EXPECT_EQ(value_digits(written, ItemSensorParam4), "04FFFFFFFF");
    EXPECT_EQ(file_attributes(card_.file(L"DREC.INI")), file_hidden | file_read_only);
    EXPECT_EQ(dialog_.cardFolder(), card_.path());
}

TEST_F(GThresholdDialogTest, AStoredAngleOutOfRangeMeansLearningAndLearningWrites8000)
{
    FirmInfo device;
    put_g_threshold(device, 45);
    FirmInfo::Value angle = device.findOrAdd(ItemDirectionCorrection);
    angle[0] = 0x01; // 0150: 100 - 150 = -50, beyond the 45 degrees either way
    angle[1] = 0x50;
    write_device_file(card_, device);
    run([&](HWND dialog) {
        EXPECT_TRUE(dialog_.page2Ex().learning());
        EXPECT_EQ(text_of(dialog_.page2Ex().angleEdit()), L"0");
        EXPECT_FALSE(IsWindowEnabled(dialog_.page2Ex().angleEdit()));
        EXPECT_FALSE(IsWindowEnabled(dialog_.page2Ex().angleUpdown()));
        click(item(dialog, IDOK));
    });
    const JsonValue written = dump(card_.file(L"DREC.INI"));
    EXPECT_EQ(written["items"]["ItemDirectionCorrection"].integer(), LearnAutomatically);
    EXPECT_EQ(value_digits(written, ItemDirectionCorrection), "8000FFFFFF");
}

TEST_F(GThresholdDialogTest, TypedValuesAreClampedAndTextThatIsNoNumberRestoresTheLastOne)
{
    cardHolds(45);
    run([&](HWND dialog) {
        HWND ok = item(dialog, IDCANCEL);
        HWND exact = dialog_.page2().edit();
        type_into(exact, L"0.7", ok);
        EXPECT_EQ(text_of(exact), L"0.60");
        type_into(exact, L"0.455", ok);
        EXPECT_EQ(text_of(exact), L"0.45");
        EXPECT_EQ(dialog_.page2().threshold(), 45);
        type_into(exact, L"zero", ok);
        EXPECT_EQ(text_of(exact), L"0.45");
        type_into(exact, L"  ", ok);
        EXPECT_EQ(text_of(exact), L"0.45");
        EXPECT_EQ(dialog_.handle(), dialog); // the edit's id is IDOK: its notifications end nothing

        HWND lateral = dialog_.page2Ex().lateralEdit();
        type_into(lateral, L"0.5", ok);
        EXPECT_EQ(text_of(lateral), L"0.30");
        EXPECT_EQ(dialog_.page2Ex().lateral(), 30);

        // The angle can be typed once learning is switched off.
        click(dialog_.page2Ex().learnBox());
        EXPECT_FALSE(dialog_.page2Ex().learning());
        HWND angle = dialog_.page2Ex().angleEdit();
        EXPECT_TRUE(IsWindowEnabled(angle));
        type_into(angle, L"-50", ok);
        EXPECT_EQ(text_of(angle), L"-45");
        type_into(angle, L"12x", ok);
        EXPECT_EQ(text_of(angle), L"-45");
        type_into(angle, L"7", ok);
        EXPECT_EQ(dialog_.page2Ex().angle(), 7);
        // Its up-down steps the angle and the edit follows.
        click_updown(dialog_.page2Ex().angleUpdown(), true);
        EXPECT_EQ(text_of(angle), L"8");
        EXPECT_EQ(dialog_.page2Ex().angle(), 8);
        // Learning again: 0, and nothing to change.
        click(dialog_.page2Ex().learnBox());
        EXPECT_EQ(text_of(angle), L"0");
        EXPECT_FALSE(IsWindowEnabled(angle));
        EXPECT_EQ(dialog_.page2Ex().angle(), LearnAutomatically);
    });
}

TEST_F(GThresholdDialogTest, ThePresetsSetBothTabs)
{
    cardHolds(52);
    run([&](HWND dialog) {
        click(item(dialog, IDC_PRESET_SENSITIVE));
        EXPECT_EQ(dialog_.page2().threshold(), 40);
        EXPECT_EQ(dialog_.page1().position(), 20);
        EXPECT_EQ(text_of(item(dialog_.page1().handle(), IDC_G_LEVEL_LABEL)), L"11");
        click(item(dialog, IDC_PRESET_STANDARD));
        EXPECT_EQ(dialog_.page2().threshold(), 45);
        EXPECT_EQ(dialog_.page1().position(), 10);
    });
}

TEST_F(GThresholdDialogTest, AnUnreadableDeviceFileWarnsKeepsTheDefaultsAndAsksForTheCardAgainOnOk)
{
    card_.write(L"FIRMINFO.DAT", std::vector<uint8_t>(20, 0)); // shorter than lead block and header
    const INT_PTR result = run([&](HWND dialog) {
        EXPECT_FALSE(dialog_.loaded());
        EXPECT_EQ(dialog_.selectedTab(), 0);
        EXPECT_EQ(dialog_.page1().position(), 10);
        EXPECT_EQ(dialog_.page2().threshold(), 45);
        EXPECT_EQ(dialog_.page2Ex().lateral(), 10);
        EXPECT_TRUE(dialog_.page2Ex().learning());
        EXPECT_EQ(comboText(dialog, IDC_OVERWRITE_COMBO), load_text(texts::overwrite_yes));
        EXPECT_EQ(comboText(dialog, IDC_EVENT_BUZZER_COMBO), load_text(texts::buzzer_standard));
        click(item(dialog, IDOK));
    });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(user_.shown().size(), 3u);
    EXPECT_EQ(user_.shown()[0].text, load_text(texts::settings_unreadable));
    EXPECT_EQ(user_.shown()[0].caption_id, texts::caption_warning);
    EXPECT_EQ(user_.shown()[0].style, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(user_.prompts().size(), 2u);
    const JsonValue written = dump(card_.file(L"DREC.INI"));
    EXPECT_EQ(written["items"]["ItemGThreshold"].integer(), 45);
    EXPECT_EQ(written["items"]["ItemLateralCorrection"].integer(), 10);
    EXPECT_EQ(written["items"]["ItemOverwrite"].integer(), 1);
}

TEST_F(GThresholdDialogTest, AbsentItemsKeepTheirDefaultsSilently)
{
    FirmInfo device;
    put_event_buzzer(device, BuzzerVolume::Off);
    write_device_file(card_, device);
    run([&](HWND dialog) {
        EXPECT_TRUE(dialog_.loaded());
        EXPECT_EQ(dialog_.page2().threshold(), 45);
        EXPECT_TRUE(dialog_.page2Ex().learning());
        EXPECT_EQ(comboText(dialog, IDC_EVENT_BUZZER_COMBO), load_text(texts::buzzer_off));
        EXPECT_EQ(comboText(dialog, IDC_OPERATION_BUZZER_COMBO), load_text(texts::buzzer_standard));
    });
    EXPECT_TRUE(user_.shown().empty());
}

TEST_F(GThresholdDialogTest, NoCardChosenKeepsTheDialogOpenAndWritesNothing)
{
    cardHolds(44);
    user_.chooses(L"");
    const INT_PTR result = run([&](HWND dialog) {
        EXPECT_FALSE(dialog_.loaded());
        EXPECT_EQ(dialog_.page2().threshold(), 45);
        click(item(dialog, IDOK));
    });
    EXPECT_EQ(result, stayed_open);
    EXPECT_EQ(user_.prompts().size(), 2u);
    EXPECT_TRUE(user_.shown().empty());
    EXPECT_EQ(dialog_.cardFolder(), L"C:\\");
}

TEST_F(GThresholdDialogTest, ACancelledConfirmationKeepsTheDialogOpenAndTheCardsSettingsFile)
{
    cardHolds(44);
    FirmInfo old;
    put_clock(old, {2031, 4, 5, 6, 7});
    write_settings_file(card_.path(), old);
    const std::vector<uint8_t> before = read_bytes(card_.file(L"DREC.INI"));
    user_.answers({IDCANCEL});
    const INT_PTR result = run([&](HWND dialog) { click(item(dialog, IDOK)); });
    EXPECT_EQ(result, stayed_open);
    EXPECT_EQ(user_.texts(), std::vector<std::wstring>{load_text(texts::confirm_settings_write)});
    EXPECT_EQ(read_bytes(card_.file(L"DREC.INI")), before);
}

TEST_F(GThresholdDialogTest, ItemsItDoesNotSetSurviveItsWrite)
{
    cardHolds(44);
    FirmInfo old;
    put_clock(old, {2031, 4, 5, 6, 7});
    put_g_threshold(old, 58);
    write_settings_file(card_.path(), old);
    run([&](HWND dialog) { click(item(dialog, IDOK)); });
    const JsonValue written = dump(card_.file(L"DREC.INI"));
    EXPECT_EQ(written["items"]["ItemGThreshold"].integer(), 44);
    EXPECT_EQ(written["items"]["ItemClock"]["year"].integer(), 2031);
    EXPECT_EQ(written["items"]["ItemClock"]["minute"].integer(), 7);
    EXPECT_EQ(record_ids(written).back(), ItemClock);
}

TEST_F(GThresholdDialogTest, ACardThatRefusesTheWriteKeepsNoSettingsFile)
{
    cardHolds(44);
    FirmInfo old;
    put_clock(old, {2031, 4, 5, 6, 7});
    write_settings_file(card_.path(), old);
    FillingCardWriter full_card(3);
    dialog_.useWriter(full_card);
    const INT_PTR result = run([&](HWND dialog) { click(item(dialog, IDOK)); });
    EXPECT_EQ(result, IDOK);
    ASSERT_EQ(user_.shown().size(), 2u);
    EXPECT_EQ(user_.shown()[1].text, load_text(texts::settings_unwritable));
    EXPECT_EQ(user_.shown()[1].caption_id, texts::caption_warning);
    EXPECT_FALSE(file_exists(card_.file(L"DREC.INI")));
}

} // namespace
