#include "device/GThresholdDialog09.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/Messages.h"
#include "device/CardFileWriter.h"
#include "device/CardSettings.h"
#include "device/FirmInfo.h"
#include "device/FolderChooser.h"
#include "device/GThresholdDialog09Page1.h"
#include "device/GThresholdDialog09Page2.h"
#include "device/GThresholdDialog09Page2Ex.h"
#include "device/SettingsItems.h"
#include "device/ThresholdLevels.h"
#include "ui/WindowUtilities.h"
#include "ResourceIds.h"

#include <commctrl.h>

namespace {

constexpr int simple_tab = 0;
constexpr int detailed_tab = 1;
constexpr int overwrite_no_entry = 1; // "しない"

void fill_combo(HWND combo, std::initializer_list<int> texts, int selected)
{
    for (const int text : texts) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(load_text(text).c_str()));
    }
    SendMessageW(combo, CB_SETCURSEL, selected, 0);
}

int combo_selection(HWND combo) { return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)); }

// Moves a page onto its placeholder in the dialog and lets the placeholder go.
void place_page(HWND page, HWND placeholder, HWND dialog)
{
    RECT place{};
    GetWindowRect(placeholder, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    SetWindowPos(page, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

BuzzerVolume buzzer_of(HWND combo)
{
    const int entry = combo_selection(combo);
    return entry == 1 ? BuzzerVolume::Loud : entry == 2 ? BuzzerVolume::Off : BuzzerVolume::Standard;
}

} // namespace

GThresholdDialog09::GThresholdDialog09(const std::wstring& card_folder)
    : Dialog(IDD_DEVICE_SETTINGS), page1_(std::make_unique<GThresholdDialog09Page1>(*this)),
      page2_(std::make_unique<GThresholdDialog09Page2>()), page2ex_(std::make_unique<GThresholdDialog09Page2Ex>()),
      card_folder_(card_folder)
{
}

GThresholdDialog09::~GThresholdDialog09() = default;

INT_PTR GThresholdDialog09::dialogProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        onInitDialog();
        return TRUE;
    case WM_NOTIFY:
        return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            onOk();
            return TRUE;
        case IDC_PRESET_STANDARD:
            applyPreset(threshold_levels::standard_hundredths);
            return TRUE;
        case IDC_PRESET_SENSITIVE:
            applyPreset(threshold_levels::sensitive_hundredths);
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return Dialog::dialogProc(message, wParam, lParam);
}

void GThresholdDialog09::onInitDialog()
{
    tab_ = GetDlgItem(handle(), IDC_SETTINGS_TAB);
    standard_button_ = GetDlgItem(handle(), IDC_PRESET_STANDARD);
    sensitive_button_ = GetDlgItem(handle(), IDC_PRESET_SENSITIVE);
    overwrite_combo_ = GetDlgItem(handle(), IDC_OVERWRITE_COMBO);
    operation_buzzer_combo_ = GetDlgItem(handle(), IDC_OPERATION_BUZZER_COMBO);
    event_buzzer_combo_ = GetDlgItem(handle(), IDC_EVENT_BUZZER_COMBO);
    createPages();
    setDefaults();
    readCard();
    centreWindow(handle(), owner());
}

void GThresholdDialog09::createPages()
{
    for (const int text : {texts::tab_simple, texts::tab_detailed}) {
        const std::wstring name = load_text(text);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(name.c_str());
        SendMessageW(tab_, TCM_INSERTITEMW, SendMessageW(tab_, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&item));
    }
    HWND level_place = GetDlgItem(handle(), IDC_G_PAGE_PLACE);
    HWND correction_place = GetDlgItem(handle(), IDC_CORRECTION_PAGE_PLACE);
    const struct {
        Dialog& page;
        HWND place;
        int show;
    } pages[] = {{*page1_, level_place, SW_SHOW}, {*page2_, level_place, SW_HIDE}, {*page2ex_, correction_place, SW_HIDE}};
    HWND previous = sensitive_button_;
    for (const auto& page : pages) {
        HWND made = page.page.createModeless(handle(), page.show);
        place_page(made, page.place, handle());
        // Behind the preset buttons in the tab order.
        SetWindowPos(made, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = made;
    }
    DestroyWindow(level_place);
    DestroyWindow(correction_place);
}

void GThresholdDialog09::setDefaults()
{
    page1_->setLevel(threshold_levels::standard_hundredths);
    page2_->setThreshold(threshold_levels::standard_hundredths);
    page2ex_->setLateral(10);
    page2ex_->applyAngle(LearnAutomatically);
    fill_combo(overwrite_combo_, {texts::overwrite_yes, texts::overwrite_no}, 0);
    fill_combo(operation_buzzer_combo_, {texts::buzzer_standard, texts::buzzer_loud, texts::buzzer_off}, 0);
    fill_combo(event_buzzer_combo_, {texts::buzzer_standard, texts::buzzer_loud, texts::buzzer_off}, 0);
}

bool GThresholdDialog09::chooseCard()
{
    wchar_t folder[MAX_PATH] = {};
    card_folder_.copy(folder, MAX_PATH - 1);
    if (!chooseFolder(load_text(texts::choose_card_drive_for_settings), handle(), folder)) {
        return false;
    }
    card_folder_ = folder;
    return true;
}

void GThresholdDialog09::readCard()
{
    if (!chooseCard()) {
        return; // the defaults stay
    }
    FirmInfo device;
    try {
        device.readDeviceFile(device_file_path(card_folder_));
    } catch (const Exception& failure) {
        show_message(handle(), failure.message(), texts::caption_warning, MB_ICONWARNING);
        return;
    }
    takeItems(device);
    loaded_ = true;
    showTab(threshold_levels::is_level(page2_->threshold()) ? simple_tab : detailed_tab);
}

void GThresholdDialog09::takeItems(const FirmInfo& device)
{
    if (const auto threshold = get_g_threshold(device)) {
        page1_->setLevel(*threshold);
        page2_->setThreshold(*threshold);
    }
    if (const auto lateral = get_lateral_correction(device)) {
        page2ex_->setLateral(*lateral);
    }
    if (const auto angle = get_direction_correction(device)) {
        page2ex_->applyAngle(*angle);
    }
    if (const auto overwrite = get_overwrite(device)) {
        SendMessageW(overwrite_combo_, CB_SETCURSEL, *overwrite ? 0 : overwrite_no_entry, 0);
    }
    if (const auto volume = get_operation_buzzer(device)) {
        SendMessageW(operation_buzzer_combo_, CB_SETCURSEL, static_cast<int>(*volume), 0);
    }
    if (const auto volume = get_event_buzzer(device)) {
        SendMessageW(event_buzzer_combo_, CB_SETCURSEL, static_cast<int>(*volume), 0);
    }
}

INT_PTR GThresholdDialog09::onNotify(const NMHDR& header)
{
    if (header.hwndFrom == tab_ && header.code == TCN_SELCHANGE) {
        SetFocus(tab_);
        showTab(selectedTab());
        return TRUE;
    }
    return FALSE;
}

int GThresholdDialog09::selectedTab() const { return static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)); }

void GThresholdDialog09::showTab(int tab)
{
    if (selectedTab() != tab) {
        SendMessageW(tab_, TCM_SETCURSEL, tab, 0);
    }
    if (tab == detailed_tab) {
        ShowWindow(page2_->handle(), SW_SHOW);
        ShowWindow(page2ex_->handle(), SW_SHOW);
        ShowWindow(page1_->handle(), SW_HIDE);
    } else {
        page1_->setLevel(page2_->threshold());
        ShowWindow(page1_->handle(), SW_SHOW);
        ShowWindow(page2_->handle(), SW_HIDE);
        ShowWindow(page2ex_->handle(), SW_HIDE);
    }
}

void GThresholdDialog09::applyPreset(int hundredths)
{
    page1_->setLevel(hundredths);
    page2_->setThreshold(hundredths);
}

FirmInfo GThresholdDialog09::chosenSettings() const
{
    FirmInfo list;
    put_g_threshold(list, page2_->threshold());
    put_overwrite(list, combo_selection(overwrite_combo_) != overwrite_no_entry);
    put_operation_buzzer(list, buzzer_of(operation_buzzer_combo_));
    put_event_buzzer(list, buzzer_of(event_buzzer_combo_));
    put_lateral_correction(list, page2ex_->lateral());
    put_direction_correction(list, page2ex_->angle());
    return list;
}

void GThresholdDialog09::onOk()
{
    if (!loaded_ && !chooseCard()) {
        return;
    }
    if (show_message(handle(), load_text(texts::confirm_settings_write), texts::caption_confirm,
                     MB_ICONQUESTION | MB_OKCANCEL) != IDOK) {
        return;
    }
    try {
        FirmInfo list = chosenSettings();
        CardFileWriter plain;
        write_settings_to_card(card_folder_, list, writer_ != nullptr ? *writer_ : plain);
        show_message(handle(), load_text(texts::settings_written), texts::caption_information, MB_ICONINFORMATION);
    } catch (const Exception&) {
        // The file is gone already; the failure's own text is not shown.
        remove_card_file(settings_file_path(card_folder_));
        show_message(handle(), load_text(texts::settings_unwritable), texts::caption_warning, MB_ICONWARNING);
    }
    EndDialog(handle(), IDOK);
}
