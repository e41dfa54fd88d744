#include "device/DateTimeDialog.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/Messages.h"
#include "device/CardFileWriter.h"
#include "device/CardSettings.h"
#include "device/ClockItem.h"
#include "device/DialogControls.h"
#include "device/EditNumbers.h"
#include "device/FirmInfo.h"
#include "device/FolderChooser.h"
#include "ui/WindowUtilities.h"
#include "ResourceIds.h"

#include <commctrl.h>

#include <string>

namespace {

constexpr int last_hour = 23;
constexpr int last_minute = 59;

void attach_updown(HWND updown, HWND edit, int last)
{
    SendMessageW(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(updown, UDM_SETRANGE32, 0, last);
}

void show_number(HWND updown, HWND edit, int value)
{
    SendMessageW(updown, UDM_SETPOS32, 0, value);
    SetWindowTextW(edit, std::to_wstring(value).c_str());
}

} // namespace

DateTimeDialog::DateTimeDialog(const std::wstring& card_folder) : Dialog(IDD_CLOCK_SETTING), card_folder_(card_folder) {}

INT_PTR DateTimeDialog::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog();
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == EN_KILLFOCUS && LOWORD(wParam) == IDC_HOUR_EDIT) {
            onEditDone(hour_edit_, hour_updown_, last_hour_);
            return TRUE;
        }
        if (HIWORD(wParam) == EN_KILLFOCUS && LOWORD(wParam) == IDC_MINUTE_EDIT) {
            onEditDone(minute_edit_, minute_updown_, last_minute_);
            return TRUE;
        }
        if (LOWORD(wParam) == IDOK) {
            onOk();
            return TRUE;
        }
        break;
    default:
        break;
    }
    return Dialog::dialogProc(message, wParam, lParam);
}

void DateTimeDialog::onInitDialog()
{
    date_ = GetDlgItem(handle(), IDC_CLOCK_DATE);
    hour_updown_ = GetDlgItem(handle(), IDC_HOUR_UPDOWN);
    minute_updown_ = GetDlgItem(handle(), IDC_MINUTE_UPDOWN);
    hour_edit_ = GetDlgItem(handle(), IDC_HOUR_EDIT);
    minute_edit_ = GetDlgItem(handle(), IDC_MINUTE_EDIT);

    // The recorder keeps two digits of the year.
    SYSTEMTIME range[2] = {};
    range[0] = {2000, 1, 0, 1, 0, 0, 0, 0};
    range[1] = {2099, 12, 0, 31, 23, 59, 59, 999};
    SendMessageW(date_, DTM_SETRANGE, GDTR_MIN | GDTR_MAX, reinterpret_cast<LPARAM>(range));
    attach_updown(hour_updown_, hour_edit_, last_hour);
    attach_updown(minute_updown_, minute_edit_, last_minute);
    centreWindow(handle(), owner());

    SYSTEMTIME now{};
    GetLocalTime(&now);
    SendMessageW(date_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&now));
    last_hour_ = now.wHour;
    last_minute_ = now.wMinute;
    show_number(hour_updown_, hour_edit_, last_hour_);
    show_number(minute_updown_, minute_edit_, last_minute_);
}

void DateTimeDialog::onEditDone(HWND edit, HWND updown, int& last_valid)
{
    int low = 0;
    int high = 0;
    SendMessageW(updown, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    const int value = parse_whole(window_text(edit), low, high).value_or(last_valid);
    SendMessageW(updown, UDM_SETPOS32, 0, value);
    int shown = value;
    updown_position(updown, shown);
    SetWindowTextW(edit, std::to_wstring(shown).c_str());
    last_valid = shown;
}

void DateTimeDialog::onOk()
{
    wchar_t folder[MAX_PATH] = {};
    card_folder_.copy(folder, MAX_PATH - 1);
    if (!chooseFolder(load_text(texts::choose_card_drive), handle(), folder)) {
        return;
    }
    card_folder_ = folder;
    if (show_message(handle(), load_text(texts::confirm_clock_write), texts::caption_confirm,
                     MB_ICONQUESTION | MB_OKCANCEL) != IDOK) {
        return;
    }
    SYSTEMTIME date{};
    SendMessageW(date_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    int hour = 0;
    int minute = 0;
    if (!updown_position(hour_updown_, hour)) {
        show_message(handle(), load_text(texts::hour_out_of_range), texts::caption_warning, MB_ICONWARNING);
        return;
    }
    if (!updown_position(minute_updown_, minute)) {
        show_message(handle(), load_text(texts::minute_out_of_range), texts::caption_warning, MB_ICONWARNING);
        return;
    }
    try {
        FirmInfo list;
        put_clock(list, clock_setting_from_local_time(date.wYear, date.wMonth, date.wDay, hour, minute));
        CardFileWriter plain;
        write_settings_to_card(card_folder_, list, writer_ != nullptr ? *writer_ : plain);
        show_message(handle(), load_text(texts::clock_written), texts::caption_information, MB_ICONINFORMATION);
    } catch (const Exception&) {
        // A clock the recorder cannot take leaves no "DREC.INI" behind either.
        remove_card_file(settings_file_path(card_folder_));
        show_message(handle(), load_text(texts::settings_unwritable), texts::caption_warning, MB_ICONWARNING);
    }
    EndDialog(handle(), IDOK);
}
