#pragma once
// tarvo-dump --settings FILE: the records of a settings or information file and the items the
// viewer knows in them, as JSON.
#include <string>

struct SettingsDump {
    std::string json; // UTF-8, without a final line break
    int exit_code = 0;
};

// "FIRMINFO.DAT" (in any case) is read with its lead block, any other name without.
SettingsDump dump_settings_file(const std::wstring& path);
