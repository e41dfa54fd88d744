#include "device/ClockItem.h"

#include "base/Exception.h"
#include "base/LocalTime.h"
#include "base/Text.h"
#include "base/Bcd.h"
#include "device/SettingsItems.h"

namespace {

unsigned two_digits(int value) { return static_cast<unsigned>(((value % 100) + 100) % 100); }

} // namespace

ClockSetting clock_setting_from_local_time(int year, int month, int day, int hour, int minute)
{
    const std::optional<LocalMoment> moment = round_trip_local_time(year, month, day, hour, minute, 0);
    if (!moment) {
        throw FirmInfoException(load_text(texts::date_out_of_range));
    }
    const std::tm& local = moment->local;
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

void put_clock(FirmInfo& list, const ClockSetting& clock)
{
    FirmInfo::Value record = list.findOrAdd(ItemClock);
    const int fields[] = {clock.year, clock.month, clock.day, clock.hour, clock.minute};
    for (size_t i = 0; i < 5; ++i) {
        encode_bcd(two_digits(fields[i]), record.data() + i, 1);
    }
    record[5] = 0xFF; // the check byte is made when the list is written
}

std::optional<ClockSetting> get_clock(const FirmInfo& list)
{
    if (!list.contains(ItemClock)) {
        return std::nullopt;
    }
    const FirmInfo::ConstValue record = list.find(ItemClock);
    return ClockSetting{2000 + decode_bcd(record.data(), 1), decode_bcd(record.data() + 1, 1),
                        decode_bcd(record.data() + 2, 1), decode_bcd(record.data() + 3, 1),
                        decode_bcd(record.data() + 4, 1)};
}
