// The clock dialog on its real template: the date picker's range, the hour and minute edits, and
// the clock item it merges into the card's "DREC.INI".
#include "device/DateTimeDialog.h"

#include "DeviceCard.h"
#include "DeviceDialogDriver.h"
#include "ShortWriter.h"
#include "base/Text.h"
#include "device/CardSettings.h"
#include "platform/FileSystem.h"
#include "support/UiTestSupport.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace {

using namespace device_test;

class DateTimeDialogTest : public ::testing::Test {
protected:
    DateTimeDialogTest() : owner_(100, 80, 700, 560, WS_POPUP | WS_VISIBLE) { user_.chooses(card_.path()); }

    INT_PTR run(const std::function<void(HWND)>& script) { return run_modal(dialog_, owner_.get(), script); }

    void setDate(int year, int month, int day)
    {
        SYSTEMTIME date{};
        date.wYear = static_cast<WORD>(year);
        date.wMonth = static_cast<WORD>(month);
        date.wDay = static_cast<WORD>(day);
        SendMessageW(dialog_.datePicker(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
    }

    TempFolder card_;
    HostWindow owner_;
    CardUser user_;
    DateTimeDialog dialog_{L"C:\\"};
};

TEST_F(DateTimeDialogTest, TheLastMinuteOfTheCenturyIsStoredAsItsTwoDigitFields)
{
    const INT_PTR result = run([&](HWND dialog) {
        setDate(2099, 12, 31);
        type_into(dialog_.hourEdit(), L"23", dialog_.minuteEdit());
        type_into(dialog_.minuteEdit(), L"59", dialog_.hourEdit());
        click(GetDlgItem(dialog, IDOK));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(user_.prompts(), std::vector<std::wstring>{load_text(texts::choose_card_drive)});
    EXPECT_EQ(user_.texts(), (std::vector<std::wstring>{load_text(texts::confirm_clock_write),
                                                        load_text(texts::clock_written)}));
    EXPECT_EQ(user_.shown()[1].caption_id, texts::caption_information);
    const JsonValue written = dump(card_.file(L"DREC.INI"));
    EXPECT_EQ(value_digits(written, 0x0101), "9912312359");
    EXPECT_EQ(written["items"]["ItemClock"]["year"].integer(), 2099);
    EXPECT_EQ(record_ids(written), std::vector<int>{0x0101});
    EXPECT_EQ(file_attributes(card_.file(L"DREC.INI")), file_hidden | file_read_only);
    EXPECT_EQ(dialog_.cardFolder(), card_.path());
}

TEST_F(DateTimeDialogTest, ThePickerKeepsToTheYearsTheRecorderCanHold)
{
    run([&](HWND) {
        SYSTEMTIME range[2] = {};
        const DWORD limits = static_cast<DWORD>(
            SendMessageW(dialog_.datePicker(), DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range)));
        EXPECT_EQ(limits, static_cast<DWORD>(GDTR_MIN | GDTR_MAX));
        EXPECT_EQ(range[0].wYear, 2000);
        EXPECT_EQ(range[0].wMonth, 1);
        EXPECT_EQ(range[0].wDay, 1);
        EXPECT_EQ(range[1].wYear, 2099);
        EXPECT_EQ(range[1].wMonth, 12);
        EXPECT_EQ(range[1].wDay, 31);
    });
}

TEST_F(DateTimeDialogTest, TheEditsClampWhatIsTypedAndRestoreTheLastGoodValueOtherwise)
{
    run([&](HWND dialog) {
        HWND hour = dialog_.hourEdit();
        HWND minute = dialog_.minuteEdit();
        HWND elsewhere = GetDlgItem(dialog, IDCANCEL);
        type_into(hour, L"25", elsewhere);
        EXPECT_EQ(text_of(hour), L"23");
        type_into(hour, L"7", elsewhere);
        EXPECT_EQ(text_of(hour), L"7");
        type_into(hour, L"7a", elsewhere);
        EXPECT_EQ(text_of(hour), L"7");
        type_into(hour, L"", elsewhere);
        EXPECT_EQ(text_of(hour), L"7");
        type_into(minute, L"75", elsewhere);
        EXPECT_EQ(text_of(minute), L"59");
        type_into(minute, L"-3", elsewhere);
        EXPECT_EQ(text_of(minute), L"0");
        // The up-down follows the edit and steps from there.
        press(hour, VK_UP);
        EXPECT_EQ(text_of(hour), L"8");
    });
}

TEST_F(DateTimeDialogTest, AnHourThatCannotBeReadIsReportedAndTheDialogStaysOpen)
{
    const INT_PTR result = run([&](HWND dialog) {
        SetWindowTextW(dialog_.hourEdit(), L"xx"); // typed, and OK pressed with Enter at once
        click(GetDlgItem(dialog, IDOK));
    });
    EXPECT_EQ(result, stayed_open);
    ASSERT_EQ(user_.shown().size(), 2u);
    EXPECT_EQ(user_.shown()[1].text, load_text(texts::hour_out_of_range));
    EXPECT_EQ(user_.shown()[1].caption_id, texts::caption_warning);
    EXPECT_FALSE(file_exists(card_.file(L"DREC.INI")));
}

TEST_F(DateTimeDialogTest, AMinuteThatCannotBeReadIsReportedAndTheDialogStaysOpen)
{
    const INT_PTR result = run([&](HWND dialog) {
        SetWindowTextW(dialog_.minuteEdit(), L"5 min");
        click(GetDlgItem(dialog, IDOK));
    });
    EXPECT_EQ(result, stayed_open);
    ASSERT_EQ(user_.shown().size(), 2u);
    EXPECT_EQ(user_.shown()[1].text, load_text(texts::minute_out_of_range));
}

TEST_F(DateTimeDialogTest, TheSettingsOnTheCardSurviveTheClock)
{
    FirmInfo settings = default_settings();
    write_settings_file(card_.path(), settings);
    run([&](HWND dialog) {
        setDate(2027, 3, 9);
        type_into(dialog_.hourEdit(), L"6", dialog_.minuteEdit());
        type_into(dialog_.minuteEdit(), L"5", dialog_.hourEdit());
        click(GetDlgItem(dialog, IDOK));
    });
    const JsonValue written = dump(card_.file(L"DREC.INI"));
    EXPECT_EQ(record_ids(written), (std::vector<int>{0x0101, 0x0301, 0x0801, 0x0802, 0x0803, 0x0804}));
    EXPECT_EQ(value_digits(written, 0x0101), "2703090605");
    EXPECT_EQ(written["items"]["ItemGThreshold"].integer(), 45);
    EXPECT_EQ(value_digits(written, 0x0802), "0100FFFFFF");
}

TEST_F(DateTimeDialogTest, NoCardOrNoConfirmationKeepsTheDialogOpenAndTheFileAsItWas)
{
    write_settings_file(card_.path(), default_settings());
    const std::vector<uint8_t> before = read_bytes(card_.file(L"DREC.INI"));
    user_.chooses(L"");
    EXPECT_EQ(run([&](HWND dialog) { click(GetDlgItem(dialog, IDOK)); }), stayed_open);
    EXPECT_TRUE(user_.shown().empty());
    user_.chooses(card_.path());
    user_.answers({IDCANCEL});
    EXPECT_EQ(run([&](HWND dialog) { click(GetDlgItem(dialog, IDOK)); }), stayed_open);
    EXPECT_EQ(user_.texts(), std::vector<std::wstring>{load_text(texts::confirm_clock_write)});
    EXPECT_EQ(read_bytes(card_.file(L"DREC.INI")), before);
}

TEST_F(DateTimeDialogTest, ACardThatFillsUpKeepsNoSettingsFile)
{
    write_settings_file(card_.path(), default_settings());
    FillingCardWriter full_card(4);
    dialog_.useWriter(full_card);
    EXPECT_EQ(run([&](HWND dialog) { click(GetDlgItem(dialog, IDOK)); }), IDOK);
    ASSERT_EQ(user_.shown().size(), 2u);
    EXPECT_EQ(user_.shown()[1].text, load_text(texts::settings_unwritable));
    EXPECT_FALSE(file_exists(card_.file(L"DREC.INI")));
}

} // namespace
