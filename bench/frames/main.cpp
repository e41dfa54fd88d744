// tarvo-bench-frames: per-frame decode, brightness and drawing against decode alone, and the
// background loader's request-to-delivery latency. Prints figures; never fails on time.
#include "DrawCases.h"
#include "LoaderLatency.h"
#include "common/Arguments.h"
#include "support/BenchOptions.h"

namespace {

const char* const usage = "usage: tarvo-bench-frames [--data DIR] [--runs N]\n";

int run(const BenchOptions& options, const std::wstring& folder)
{
    if (!options.memory.empty() || options.write_only) {
        write_err(usage); // memory figures and writing all inputs belong to the reading benchmark
        return 2;
    }
    const BenchInputs inputs = prepare_inputs(folder, false);
    write_out("Playback (under Wine the window is drawn by Wine's own GDI into its window surface)\n");
    bench_frame_drawing(inputs, runs_or(options, 300));
    bench_loader_latency(inputs, runs_or(options, 300));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return bench_main(argc, argv, "tarvo-bench-frames", usage, run);
}
