#pragma once
// The recorder's number encodings: BCD G values, raw sensor G counts, BCD speeds and BCD dates
// (plain BCD numbers: base/Bcd.h). Each is decoded here and nowhere else.
#include <cstdint>
#include <ctime>

// Two BCD bytes as G: the thousands digit 8 and above carries the sign (8123 is -0.123).
double bcd_g_value(const uint8_t* p);

// A raw 16-bit sensor count as G: 0 means no value; others are clamped to 215 ... 808.
double raw_g_value(const uint8_t* p);

// Two BCD bytes as km/h; the meter ends at 180.
int bcd_speed(const uint8_t* p);

// Six BCD bytes YY MM DD hh mm ss (year 2000 + YY) as seconds since 1970 read in local time,
// or 0 when they do not name a real local time (31 February, hour 24, month 0 ...).
int64_t bcd_time(const uint8_t* p);

// The local calendar time as seconds since 1970, or 0 when converting it back does not give
// the same six values.
int64_t local_time_value(int year, int month, int day, int hour, int minute, int second);
