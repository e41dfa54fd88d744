#pragma once
// The recorder's settings files in the root of the card, as the settings, clock and restore
// commands write them.
#include "device/FirmInfo.h"

#include <string>

class CardFileWriter;

// "FIRMINFO.DAT" (the recorder's own, read only) and "DREC.INI" (the viewer's) in the card folder.
std::wstring device_file_path(const std::wstring& card_folder);
std::wstring settings_file_path(const std::wstring& card_folder);

// Writes `list` into the card's "DREC.INI", keeping the items of the file there that the list does
// not set, and checks the file by reading it back. On any failure "DREC.INI" is deleted, so the
// recorder never takes over a partial or unchecked file, and the failure passes on.
void write_settings_to_card(const std::wstring& card_folder, FirmInfo& list);
void write_settings_to_card(const std::wstring& card_folder, FirmInfo& list, CardFileWriter& writer);

// The standard settings: operation buzzer standard, threshold 0.45 G, and the sensor parameters
// as four digits (0100, 0200, 0040) in the order the recorder is given them.
FirmInfo default_settings();

// Replaces the card's "DREC.INI" by one holding exactly the standard settings, checked by reading
// it back; on failure the file is deleted and the failure passes on.
void writeDefaultSettings(const std::wstring& card_folder);
void writeDefaultSettings(const std::wstring& card_folder, CardFileWriter& writer);
