#include "device/CardSettings.h"

#include "base/Exception.h"
#include "platform/FileSystem.h"
#include "device/CardFileWriter.h"
#include "device/SettingsItems.h"

namespace {

// Writes and verifies; whatever goes wrong, no "DREC.INI" stays behind.
void write_checked(const std::wstring& path, FirmInfo& list, bool merge, CardFileWriter& writer)
{
    try {
        list.write(path, merge, writer);
        list.verify(path);
    } catch (const Exception&) {
        remove_card_file(path);
        throw;
    }
}

} // namespace

std::wstring device_file_path(const std::wstring& card_folder) { return join_path(card_folder, L"FIRMINFO.DAT"); }

std::wstring settings_file_path(const std::wstring& card_folder) { return join_path(card_folder, L"DREC.INI"); }

void write_settings_to_card(const std::wstring& card_folder, FirmInfo& list)
{
    CardFileWriter writer;
    write_settings_to_card(card_folder, list, writer);
}

void write_settings_to_card(const std::wstring& card_folder, FirmInfo& list, CardFileWriter& writer)
{
    write_checked(settings_file_path(card_folder), list, true, writer);
}

FirmInfo default_settings()
{
    FirmInfo list;
    put_operation_buzzer(list, BuzzerVolume::Standard);
    put_g_threshold(list, 45);
    put_sensor_parameter_four_digits(list, ItemSensorParam2, 100);
    put_sensor_parameter_four_digits(list, ItemSensorParam3, 200);
    put_sensor_parameter_four_digits(list, ItemSensorParam4, 40);
    return list;
}

void writeDefaultSettings(const std::wstring& card_folder)
{
    CardFileWriter writer;
    writeDefaultSettings(card_folder, writer);
}

void writeDefaultSettings(const std::wstring& card_folder, CardFileWriter& writer)
{
    const std::wstring path = settings_file_path(card_folder);
    remove_card_file(path);
    FirmInfo list = default_settings();
    write_checked(path, list, false, writer);
}
