#pragma once
// The recorder's clock setting: the moment at which the engine will next be started, which the
// recorder takes over from "DREC.INI" when it is switched on.
#include "device/FirmInfo.h"

#include <optional>

struct ClockSetting {
    int year = 2000; // 2000 to 2099; the card keeps year modulo 100
    int month = 1;   // 1 to 12
    int day = 1;     // 1 to 31
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59

    bool operator==(const ClockSetting&) const = default;
};

// The local date and time with second 0, taken through the calendar and back, so that the
// recorder is given a moment that exists. FirmInfoException "日時が有効な範囲にありません。"
// when the system cannot convert it.
ClockSetting clock_setting_from_local_time(int year, int month, int day, int hour, int minute);

// ItemClock: five value bytes, two BCD digits each: year modulo 100, month, day, hour, minute.
void put_clock(FirmInfo& list, const ClockSetting& clock);
// The stored clock with the year read as 2000 + YY; nothing when the list has no clock record.
std::optional<ClockSetting> get_clock(const FirmInfo& list);
