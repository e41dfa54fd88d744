// libFuzzer target: damaged recording files against the archive reader and the JPEG decoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "ArchiveExercise.h"
#include "platform/Platform.h"
#include "recording/VideoArchive.h"

namespace {

std::wstring scratch_file;
volatile uint64_t sink; // keeps the readers' work from being optimised away

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("TZ", "JST-9", 1);
    tzset();
    scratch_file = make_temp_file(L"fzz");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static VideoArchive archive; // one for the whole run, as the image loader keeps its own
    sink = exercise_archive(data, size, scratch_file, archive);
    if (!file_and_memory_loads_agree(data, size, scratch_file, archive)) {
        std::abort(); // a reading of the file that differs from the reading of its bytes
    }
    return 0;
}
