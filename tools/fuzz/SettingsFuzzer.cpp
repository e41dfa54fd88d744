// libFuzzer target: damaged "FIRMINFO.DAT" and "DREC.INI" files against the settings readers,
// their items and the merging write.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "SettingsExercise.h"
#include "platform/Messages.h"
#include "platform/Platform.h"

namespace {

std::wstring scratch_file;
volatile uint64_t sink;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    set_message_handler([](MessageOwner, const std::wstring&, int, unsigned) { return 1; });
    scratch_file = make_temp_file(L"fzs");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SettingsExerciseResult result = exercise_settings(data, size, scratch_file);
    if (!result.consistent) {
        std::abort(); // the fuzzer keeps the input
    }
    sink = result.digest;
    return 0;
}
