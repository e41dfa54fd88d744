#pragma once
// "FIRMINFO.DAT", in which the recorder reports its current settings: a 16-byte lead block,
// the 8-byte header and one 8-byte record per settings item, each with its check byte.
// Without the lead block the same bytes are a "DREC.INI".
#include "samplecard/CivilTime.h"
#include "samplecard/RecorderBytes.h"

#include <array>
#include <set>
#include <vector>

namespace samplecard {

// Item ids of the recorder's settings.
enum ItemId : uint16_t {
    ItemClock = 0x0101,
    ItemOperationBuzzer = 0x0301,
    ItemEventBuzzer = 0x0304,
    ItemGThreshold = 0x0801,
    ItemSensorParam2 = 0x0802,
    ItemSensorParam3 = 0x0803,
    ItemSensorParam4 = 0x0804,
    ItemLateralCorrection = 0x0811,
    ItemDirectionCorrection = 0x0812,
    ItemOverwrite = 0x1801,
};

inline constexpr int learn_direction_automatically = 8000;

struct FirmInfoOptions {
    CivilTime clock = {2011, 6, 1, 8, 0, 0}; // the recorder's clock when it wrote the file
    int g_threshold = 45;          // hundredths of G
    int lateral_correction = 10;   // hundredths of G
    int direction_correction = learn_direction_automatically; // degrees -45 ... 45, or 8000
    int overwrite = 1;
    int operation_buzzer = 0;      // 0 standard, 1 loud, 2 off
    int event_buzzer = 0;
    bool sensor_params_in_two_bytes = true; // 0100 0200 0040 rather than 10 20 04
    bool lead_block = true;        // false: the "DREC.INI" form
    ModelCode model{};
    // Damage a reader must survive.
    bool bad_header_check = false;
    std::set<int> bad_record_checks; // record positions (0 = first) with a wrong check byte
    int extra_records = 0;           // valid records of unknown items appended (to pass the 78 limit)
    int trailing_bytes = 0;          // a partial record of this many bytes (0 ... 7) at the end
};

struct FirmInfoRecord {
    uint16_t id = 0;
    std::array<uint8_t, 5> value{0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

    // The 8 bytes in the file: id, value, and the XOR of those seven as check byte.
    std::array<uint8_t, 8> bytes() const;
};

// The settings items in the order the recorder writes them (extra records included).
std::vector<FirmInfoRecord> firminfo_records(const FirmInfoOptions& options);
Bytes make_firminfo(const FirmInfoOptions& options);

// A value of up to four digits in the record's first one or two value bytes, the rest 0xFF.
FirmInfoRecord bcd_record(uint16_t id, int value, int bytes);
// The direction correction's four digits: a negative angle a as 100 - a, 8000 as itself.
int direction_digits(int degrees);

} // namespace samplecard
