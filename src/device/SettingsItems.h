#pragma once
// The recorder's settings items as typed values, in both directions: values in, records out
// (put_*), records in, values out (get_*; nothing when the list has no record of the item).
#include "device/FirmInfo.h"

#include <cstdint>
#include <optional>

constexpr uint16_t ItemClock = 0x0101;
constexpr uint16_t ItemOperationBuzzer = 0x0301;
constexpr uint16_t ItemEventBuzzer = 0x0304;
constexpr uint16_t ItemGThreshold = 0x0801;
constexpr uint16_t ItemSensorParam2 = 0x0802;
constexpr uint16_t ItemSensorParam3 = 0x0803;
constexpr uint16_t ItemSensorParam4 = 0x0804;
constexpr uint16_t ItemLateralCorrection = 0x0811;
constexpr uint16_t ItemDirectionCorrection = 0x0812;
constexpr uint16_t ItemOverwrite = 0x1801;

// The shock threshold in hundredths of G: 0.40 G is the most sensitive, 0.60 G the least.
constexpr int min_g_threshold = 40;
constexpr int max_g_threshold = 60;
// The lateral-axis correction in hundredths of G.
constexpr int min_lateral_correction = 0;
constexpr int max_lateral_correction = 30;
// The mounting-direction correction in degrees, or the recorder learns it by itself.
constexpr int min_direction_correction = -45;
constexpr int max_direction_correction = 45;
constexpr int LearnAutomatically = 8000;

enum class BuzzerVolume : int { Standard = 0, Loud = 1, Off = 2 };

// Values are clamped to the item's range before they are stored. Each put sets the item's record
// (appending it when the list has none) with the unused value bytes 0xFF; the check byte is made
// when the list is written. Like findOrAdd, each throws FirmInfoException with an empty message
// when the list is full.

// Also sets ItemSensorParam2 to ItemSensorParam4 to 0x10, 0x20 and 0x04 (one byte each), which go
// beside every threshold the user chooses.
void put_g_threshold(FirmInfo& list, int hundredths);
void put_lateral_correction(FirmInfo& list, int hundredths);
// -45 to 45 degrees, or LearnAutomatically; a negative angle a is stored as 100 - a (-5 as 0105).
void put_direction_correction(FirmInfo& list, int degrees);
void put_overwrite(FirmInfo& list, bool overwrite);
void put_operation_buzzer(FirmInfo& list, BuzzerVolume volume);
void put_event_buzzer(FirmInfo& list, BuzzerVolume volume);
// A sensor parameter (ItemSensorParam2 to 4) as four digits in two bytes, as the standard
// settings store them (0100, 0200, 0040).
void put_sensor_parameter_four_digits(FirmInfo& list, uint16_t id, int value);

// The stored threshold as it is, four digits (the recorder writes 40 to 60).
std::optional<int> get_g_threshold(const FirmInfo& list);
std::optional<int> get_lateral_correction(const FirmInfo& list);
// Degrees from -45 to 45, or LearnAutomatically, also for any value out of that range
// (a stored 0150 reads as learn automatically).
std::optional<int> get_direction_correction(const FirmInfo& list);
// Any value but 0 means overwrite.
std::optional<bool> get_overwrite(const FirmInfo& list);
// 1 loud and 2 off; anything else reads as standard.
std::optional<BuzzerVolume> get_operation_buzzer(const FirmInfo& list);
std::optional<BuzzerVolume> get_event_buzzer(const FirmInfo& list);
// A sensor parameter: one byte (two digits) when the second value byte is unused, else four digits.
std::optional<int> get_sensor_parameter(const FirmInfo& list, uint16_t id);

// The number in the first `bytes` value bytes of an item's record; nothing when it is absent.
std::optional<int> get_number(const FirmInfo& list, uint16_t id, size_t bytes);
