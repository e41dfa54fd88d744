#include "samplecard/FirmInfoFile.h"

#include <algorithm>

namespace samplecard {

namespace {

// The recorder's lead block: a name, its firmware version (BCD 01.02) and the model code.
Bytes lead_block(ModelCode model)
{
    return {'F', 'I', 'R', 'M', 'I', 'N', 'F', 'O', 0x01, 0x02, model.high, model.low, 0, 0, 0, 0};
}

uint8_t xor_of(const uint8_t* bytes, size_t count)
{
    uint8_t check = 0;
    for (size_t i = 0; i < count; ++i) {
        check ^= bytes[i];
    }
    return check;
}

} // namespace

std::array<uint8_t, 8> FirmInfoRecord::bytes() const
{
    std::array<uint8_t, 8> out{};
    put_be16(out.data(), id);
    std::copy(value.begin(), value.end(), out.begin() + 2);
    out[7] = xor_of(out.data(), 7);
    return out;
}

FirmInfoRecord bcd_record(uint16_t id, int value, int bytes)
{
    FirmInfoRecord record;
    record.id = id;
    put_bcd(record.value.data(), static_cast<size_t>(std::clamp(bytes, 1, 2)), static_cast<uint64_t>(std::max(value, 0)));
    return record;
}

int direction_digits(int degrees)
{
    if (degrees == learn_direction_automatically) {
        return degrees;
    }
    degrees = std::clamp(degrees, -45, 45);
    return degrees < 0 ? 100 - degrees : degrees;
}

std::vector<FirmInfoRecord> firminfo_records(const FirmInfoOptions& options)
{
    std::vector<FirmInfoRecord> records;
    FirmInfoRecord clock;
    clock.id = ItemClock;
    const int fields[5] = {options.clock.year % 100, options.clock.month, options.clock.day, options.clock.hour,
                           options.clock.minute};
    for (int i = 0; i < 5; ++i) {
        put_bcd(&clock.value[static_cast<size_t>(i)], 1, static_cast<uint64_t>(fields[i]));
    }
    records.push_back(clock);
    records.push_back(bcd_record(ItemOperationBuzzer, options.operation_buzzer, 1));
    records.push_back(bcd_record(ItemEventBuzzer, options.event_buzzer, 1));
    records.push_back(bcd_record(ItemGThreshold, options.g_threshold, 2));
    const int sensor_bytes = options.sensor_params_in_two_bytes ? 2 : 1;
    const int sensor_values[3][2] = {{10, 100}, {20, 200}, {4, 40}};
    const uint16_t sensor_ids[3] = {ItemSensorParam2, ItemSensorParam3, ItemSensorParam4};
    for (int i = 0; i < 3; ++i) {
        records.push_back(bcd_record(sensor_ids[i], sensor_values[i][sensor_bytes - 1], sensor_bytes));
    }
    records.push_back(bcd_record(ItemLateralCorrection, options.lateral_correction, 2));
    records.push_back(bcd_record(ItemDirectionCorrection, direction_digits(options.direction_correction), 2));
    records.push_back(bcd_record(ItemOverwrite, options.overwrite, 1));
    for (int i = 0; i < options.extra_records; ++i) {
        records.push_back(bcd_record(static_cast<uint16_t>(0x7000 + i), i % 100, 1));
    }
    return records;
}

Bytes make_firminfo(const FirmInfoOptions& options)
{
    Bytes file;
    if (options.lead_block) {
        file = lead_block(options.model);
    }
    uint8_t header[8] = {0x00, 0x01, options.model.high, options.model.low, 0xFF, 0xFF, 0xFF, 0};
    header[7] = static_cast<uint8_t>(xor_of(header + 1, 6) ^ (options.bad_header_check ? 0x5A : 0));
    file.insert(file.end(), std::begin(header), std::end(header));
    const std::vector<FirmInfoRecord> records = firminfo_records(options);
    for (size_t i = 0; i < records.size(); ++i) {
        std::array<uint8_t, 8> bytes = records[i].bytes();
        if (options.bad_record_checks.count(static_cast<int>(i)) != 0) {
            bytes[7] ^= 0x5A;
        }
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    const int trailing = std::clamp(options.trailing_bytes, 0, 7);
    const std::array<uint8_t, 8> partial = bcd_record(0x7FFF, 1, 1).bytes();
    file.insert(file.end(), partial.begin(), partial.begin() + trailing);
    return file;
}

} // namespace samplecard
