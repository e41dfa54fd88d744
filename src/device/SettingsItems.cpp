#include "device/SettingsItems.h"

#include "base/Bcd.h"

#include <algorithm>

namespace {

constexpr uint8_t unused = 0xFF;

// One-byte values the recorder expects beside a threshold chosen by the user.
constexpr int sensor_param2_beside_threshold = 10; // 0x10
constexpr int sensor_param3_beside_threshold = 20; // 0x20
constexpr int sensor_param4_beside_threshold = 4;  // 0x04

void put_number(FirmInfo& list, uint16_t id, int value, size_t bytes)
{
    FirmInfo::Value record = list.findOrAdd(id);
    std::fill(record.begin(), record.end(), unused);
    encode_bcd(static_cast<unsigned>(std::max(value, 0)), record.data(), bytes);
}

BuzzerVolume buzzer_from(int value)
{
    switch (value) {
    case 1: return BuzzerVolume::Loud;
    case 2: return BuzzerVolume::Off;
    default: return BuzzerVolume::Standard;
    }
}

} // namespace

std::optional<int> get_number(const FirmInfo& list, uint16_t id, size_t bytes)
{
    if (!list.contains(id)) {
        return std::nullopt;
    }
    return decode_bcd(list.find(id).data(), bytes);
}

void put_g_threshold(FirmInfo& list, int hundredths)
{
    put_number(list, ItemGThreshold, std::clamp(hundredths, min_g_threshold, max_g_threshold), 2);
    put_number(list, ItemSensorParam2, sensor_param2_beside_threshold, 1);
    put_number(list, ItemSensorParam3, sensor_param3_beside_threshold, 1);
    put_number(list, ItemSensorParam4, sensor_param4_beside_threshold, 1);
}

void put_lateral_correction(FirmInfo& list, int hundredths)
{
    put_number(list, ItemLateralCorrection,
               std::clamp(hundredths, min_lateral_correction, max_lateral_correction), 2);
}

void put_direction_correction(FirmInfo& list, int degrees)
{
    int stored = LearnAutomatically;
    if (degrees != LearnAutomatically) {
        const int angle = std::clamp(degrees, min_direction_correction, max_direction_correction);
        stored = angle < 0 ? 100 - angle : angle;
    }
    put_number(list, ItemDirectionCorrection, stored, 2);
}

void put_overwrite(FirmInfo& list, bool overwrite) { put_number(list, ItemOverwrite, overwrite ? 1 : 0, 1); }

void put_operation_buzzer(FirmInfo& list, BuzzerVolume volume)
{
    put_number(list, ItemOperationBuzzer, static_cast<int>(volume), 1);
}

void put_event_buzzer(FirmInfo& list, BuzzerVolume volume)
{
    put_number(list, ItemEventBuzzer, static_cast<int>(volume), 1);
}

void put_sensor_parameter_four_digits(FirmInfo& list, uint16_t id, int value)
{
    put_number(list, id, std::clamp(value, 0, 9999), 2);
}

std::optional<int> get_g_threshold(const FirmInfo& list) { return get_number(list, ItemGThreshold, 2); }

std::optional<int> get_lateral_correction(const FirmInfo& list)
{
    return get_number(list, ItemLateralCorrection, 2);
}

// Values above 99 are negative angles stored as 100 - a; whatever lies outside -45 to 45
// after that is taken as learn automatically.
std::optional<int> get_direction_correction(const FirmInfo& list)
{
    const auto stored = get_number(list, ItemDirectionCorrection, 2);
    if (!stored || *stored == LearnAutomatically) {
        return stored;
    }
    const int angle = *stored > 99 ? 100 - *stored : *stored;
    return angle > -46 && angle < 46 ? angle : LearnAutomatically;
}

std::optional<bool> get_overwrite(const FirmInfo& list)
{
    const auto stored = get_number(list, ItemOverwrite, 1);
    return stored ? std::optional<bool>(*stored != 0) : std::nullopt;
}

std::optional<BuzzerVolume> get_operation_buzzer(const FirmInfo& list)
{
    const auto stored = get_number(list, ItemOperationBuzzer, 1);
    return stored ? std::optional<BuzzerVolume>(buzzer_from(*stored)) : std::nullopt;
}

std::optional<BuzzerVolume> get_event_buzzer(const FirmInfo& list)
{
    const auto stored = get_number(list, ItemEventBuzzer, 1);
    return stored ? std::optional<BuzzerVolume>(buzzer_from(*stored)) : std::nullopt;
}

std::optional<int> get_sensor_parameter(const FirmInfo& list, uint16_t id)
{
    if (!list.contains(id)) {
        return std::nullopt;
    }
    return get_number(list, id, list.find(id)[1] == unused ? 1 : 2);
}
