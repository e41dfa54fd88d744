#pragma once
// Feeds one input to the readers of the recorder's settings files, as their fuzzer and its
// regression test do: read as "FIRMINFO.DAT" and as "DREC.INI", every item taken out, the list
// written back, and the input as an old "DREC.INI" that a new write merges with.
#include <cstddef>
#include <cstdint>
#include <string>

struct SettingsExerciseResult {
    uint64_t digest = 0;      // computed from everything read, so that nothing is optimised away
    bool consistent = true;   // what was read survives writing it and reading it again
};

// `scratch`: a file the exercise may write and delete.
SettingsExerciseResult exercise_settings(const uint8_t* data, size_t size, const std::wstring& scratch);
