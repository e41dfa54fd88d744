#pragma once
// A card folder for the device dialogs' tests: its settings files written and read back as
// tarvo-dump --settings shows them.
#include "device/FirmInfo.h"
#include "support/MiniJson.h"
#include "support/TempFolder.h"

#include <optional>
#include <string>
#include <vector>

namespace device_test {

// Writes "FIRMINFO.DAT" holding `list` after a lead block.
void write_device_file(const TempFolder& card, const FirmInfo& list);
// Writes "DREC.INI" holding `list`.
void write_settings_file(const std::wstring& card, const FirmInfo& list);
// What tarvo-dump --settings prints for a file, parsed; a file it cannot read fails the test.
JsonValue dump(const std::wstring& path);
// The value bytes of the record `id` in the dump, as hex digits ("0105FFFFFF"); empty when absent.
std::string value_digits(const JsonValue& dumped, int id);
// The record ids of the dump, in file order.
std::vector<int> record_ids(const JsonValue& dumped);

} // namespace device_test
