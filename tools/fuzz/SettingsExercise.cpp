#include "SettingsExercise.h"

#include "base/Exception.h"
#include "device/CardFileWriter.h"
#include "device/ClockItem.h"
#include "device/FirmInfo.h"
#include "device/SettingsItems.h"

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

namespace {

uint64_t items_digest(const FirmInfo& list)
{
    uint64_t digest = list.count();
    const auto add = [&digest](std::optional<int> value) { digest = digest * 31 + static_cast<uint64_t>(value.value_or(-7)); };
    add(get_g_threshold(list));
    add(get_lateral_correction(list));
    add(get_direction_correction(list));
    add(get_sensor_parameter(list, ItemSensorParam2));
    add(get_sensor_parameter(list, ItemSensorParam3));
    add(get_sensor_parameter(list, ItemSensorParam4));
    const auto overwrite = get_overwrite(list);
    add(overwrite ? std::optional<int>(*overwrite ? 1 : 0) : std::nullopt);
    for (const auto volume : {get_operation_buzzer(list), get_event_buzzer(list)}) {
        add(volume ? std::optional<int>(static_cast<int>(*volume)) : std::nullopt);
    }
    if (const auto clock = get_clock(list)) {
        digest = digest * 31 + static_cast<uint64_t>(clock->year * 100000000LL + clock->month * 1000000 +
                                                     clock->day * 10000 + clock->hour * 100 + clock->minute);
    }
    return digest;
}

bool same_records(const FirmInfo& a, const FirmInfo& b)
{
    const auto left = a.records();
    const auto right = b.records();
    return left.size() == right.size() && std::equal(left.begin(), left.end(), right.begin());
}

void write_file(const std::wstring& path, const uint8_t* data, size_t size)
{
    CardFileWriter writer;
    writer.replace(path, std::vector<uint8_t>(data, data + size));
}

} // namespace

SettingsExerciseResult exercise_settings(const uint8_t* data, size_t size, const std::wstring& scratch)
{
    SettingsExerciseResult result;
    for (const bool lead_block : {true, false}) {
        FirmInfo list;
        try {
            list.parse(std::span<const uint8_t>(data, size), lead_block);
        } catch (const Exception&) {
            result.digest = result.digest * 3 + 1;
            continue;
        }
        result.digest = result.digest * 131 + items_digest(list);
        // The list written and read again is the same list.
        const std::vector<uint8_t> written = list.settings_file_bytes();
        FirmInfo again;
        again.parse(written, false);
        result.consistent = result.consistent && same_records(list, again);
    }

    // The input as the card's old "DREC.INI", merged into by the clock dialog's write.
    try {
        write_file(scratch, data, size);
        FirmInfo clock;
        put_clock(clock, {2031, 12, 31, 23, 59});
        clock.write(scratch, true);
        clock.verify(scratch);
        result.consistent = result.consistent && get_clock(clock) == ClockSetting{2031, 12, 31, 23, 59} &&
                            clock.count() <= FirmInfo::max_records;
        result.digest = result.digest * 7 + clock.count();
    } catch (const Exception&) {
        result.consistent = false; // a scratch file that cannot be written or read back
    }
    remove_card_file(scratch);
    return result;
}
