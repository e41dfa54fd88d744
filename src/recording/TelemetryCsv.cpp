#include "recording/TelemetryCsv.h"

#include "base/LocalTime.h"
#include "recording/FrameRecord.h"
#include "recording/VideoArchive.h"

#include <cstdio>

namespace {

// Seconds between two block times with exactly three decimals, without rounding through a float.
std::string seconds_text(int64_t ms)
{
    const int64_t magnitude = ms < 0 ? -ms : ms;
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld.%03lld", ms < 0 ? "-" : "", static_cast<long long>(magnitude / 1000),
                  static_cast<long long>(magnitude % 1000));
    return text;
}

// Enough digits that the value reads back the same.
std::string g_text(double g)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", g);
    return text;
}

// Days since 1970-01-01 of a proleptic Gregorian date.
int64_t days_from_civil(int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t year_of_era = year - era * 400;
    const int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    return era * 146097 + year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year - 719468;
}

} // namespace

TelemetryCsv::TelemetryCsv() : text_("Time,DateTime,KPH,G1,G2,G,Marker\r\n") {}

void TelemetryCsv::add(const VideoArchive& archive)
{
    for (int i = 0; i < archive.frame_count(); ++i) {
        const FrameRecord* record = archive.frame_record(i);
        if (record == nullptr) {
            continue;
        }
        if (!first_ms_) {
            first_ms_ = record->ms;
        }
        if (first_time_ == 0) {
            first_time_ = record->time;
        }
        text_ += seconds_text(record->ms - *first_ms_) + "," + local_iso_time(record->time) + "," +
                 std::to_string(record->speed) + "," + g_text(record->g1) + "," + g_text(record->g2) + "," +
                 g_text(record->g_magnitude) + "," + std::to_string(record->marker) + "\r\n";
    }
}

std::string TelemetryCsv::local_iso_time(int64_t time)
{
    std::tm local{};
    if (time == 0 || !time_to_local(time, local)) {
        return {};
    }
    // The zone's offset is what the local calendar time is ahead of the universal one.
    const int64_t as_universal = days_from_civil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) * 86400 +
                                 local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    const int64_t offset_minutes = (as_universal - time) / 60;
    const int64_t offset = offset_minutes < 0 ? -offset_minutes : offset_minutes;
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02lld:%02lld", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  offset_minutes < 0 ? '-' : '+', static_cast<long long>(offset / 60),
                  static_cast<long long>(offset % 60));
    return text;
}
