// tarvo-bench-reading: how fast the archive reader loads and counts recordings and how fast a
// frame decodes, each beside the floor the same bytes allow. Prints figures; never fails on time.
#include "LoadMemory.h"
#include "LoadParts.h"
#include "ReadingCases.h"
#include "common/Arguments.h"
#include "support/BenchOptions.h"

namespace {

const char* const usage = "usage: tarvo-bench-reading [--data DIR] [--runs N] [--memory event|chapter]\n"
                          "       tarvo-bench-reading --data DIR --write-inputs\n";

int run(const BenchOptions& options, const std::wstring& folder)
{
    if (!options.memory.empty()) {
        const bool event = options.memory == L"event";
        report_load_memory(prepare_inputs(folder, !event), event);
        return 0;
    }
    const BenchInputs inputs = prepare_inputs(folder, true);
    if (options.write_only) {
        return 0;
    }
    write_out("Reading (warm cache: every file is read once, untimed, before its runs; the reader and its "
              "floor run alternately)\n");
    bench_event_load(inputs, runs_or(options, 15));
    bench_event_load_parts(inputs, runs_or(options, 15));
    bench_chapter_load(inputs, runs_or(options, 15));
    bench_chapter_count(inputs, runs_or(options, 9));
    bench_decode(inputs, runs_or(options, 200));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return bench_main(argc, argv, "tarvo-bench-reading", usage, run);
}
