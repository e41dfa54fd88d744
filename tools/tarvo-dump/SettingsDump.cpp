#include "SettingsDump.h"

#include "Modes.h"

#include "base/Exception.h"
#include "common/Arguments.h"
#include "common/JsonWriter.h"
#include "device/ClockItem.h"
#include "device/FirmInfo.h"
#include "device/SettingsItems.h"

#include <cstdio>
#include <cwctype>
#include <optional>

namespace {

bool is_device_file_name(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring name = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
    for (wchar_t& ch : name) {
        ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
    }
    return name == L"FIRMINFO.DAT";
}

std::string hex_digits(const FirmInfo::Record& record)
{
    std::string text;
    char pair[3];
    for (const uint8_t byte : record) {
        std::snprintf(pair, sizeof pair, "%02X", byte);
        text += pair;
    }
    return text;
}

void number_or_null(JsonWriter& json, const char* name, std::optional<int> value)
{
    json.key(name);
    value ? json.value(*value) : json.null();
}

void write_clock(JsonWriter& json, const FirmInfo& list)
{
    json.key("ItemClock");
    const auto clock = get_clock(list);
    if (!clock) {
        json.null();
        return;
    }
    json.begin_object();
    json.key("year").value(clock->year).key("month").value(clock->month).key("day").value(clock->day);
    json.key("hour").value(clock->hour).key("minute").value(clock->minute);
    json.end_object();
}

void write_items(JsonWriter& json, const FirmInfo& list)
{
    json.key("items").begin_object();
    number_or_null(json, "ItemOperationBuzzer", get_number(list, ItemOperationBuzzer, 1));
    number_or_null(json, "ItemEventBuzzer", get_number(list, ItemEventBuzzer, 1));
    number_or_null(json, "ItemGThreshold", get_g_threshold(list));
    number_or_null(json, "ItemSensorParam2", get_sensor_parameter(list, ItemSensorParam2));
    number_or_null(json, "ItemSensorParam3", get_sensor_parameter(list, ItemSensorParam3));
    number_or_null(json, "ItemSensorParam4", get_sensor_parameter(list, ItemSensorParam4));
    number_or_null(json, "ItemLateralCorrection", get_lateral_correction(list));
    number_or_null(json, "ItemDirectionCorrection", get_direction_correction(list));
    number_or_null(json, "ItemOverwrite", get_number(list, ItemOverwrite, 1));
    write_clock(json, list);
    json.end_object();
}

} // namespace

SettingsDump dump_settings_file(const std::wstring& path)
{
    FirmInfo list;
    JsonWriter json;
    try {
        if (is_device_file_name(path)) {
            list.readDeviceFile(path);
        } else {
            list.readSettingsFile(path);
        }
    } catch (const Exception& failure) {
        json.begin_object().key("error").value(failure.message()).end_object();
        return {json.text(), 1};
    }
    json.begin_object().key("records").begin_array();
    for (const FirmInfo::Record& record : list.records()) {
        json.begin_array().value(record[0] << 8 | record[1]).value(hex_digits(record)).end_array();
    }
    json.end_array();
    write_items(json, list);
    json.end_object();
    return {json.text(), 0};
}

int dump_settings(const Arguments& arguments)
{
    const SettingsDump dump = dump_settings_file(arguments.at(0));
    write_out(dump.json + "\n");
    return dump.exit_code;
}
