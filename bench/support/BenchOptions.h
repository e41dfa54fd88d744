#pragma once
// The command line the benchmark programs share:
//   [--data DIR]   where the inputs are written (kept, and reused by later runs); without it a
//                  scratch folder that is removed at the end
//   [--runs N]     how many times each case is timed (each case has its own default)
//   [--memory event|chapter]   (reading) only the memory figures of one load
//   [--write-inputs]           only write the inputs (into --data DIR), time nothing
#include <optional>
#include <string>
#include <vector>

struct BenchOptions {
    std::wstring data;
    int runs = 0; // 0: each case's default
    std::wstring memory;
    bool write_only = false;
};

// Nothing when the arguments (without the program name) are not understood.
std::optional<BenchOptions> parse_bench_options(const std::vector<std::wstring>& arguments);

// A benchmark program's main: reads the command line (the usage goes to standard error when it
// is not understood, exit code 2), makes the inputs' folder (a temporary one, removed at the end,
// when --data is not given) and runs `run`; a failure is reported with the program's name.
using BenchRun = int (*)(const BenchOptions& options, const std::wstring& folder);
int bench_main(int argc, char** argv, const char* name, const char* usage, BenchRun run);

// `runs` when given, else the case's default.
inline int runs_or(const BenchOptions& options, int default_runs)
{
    return options.runs > 0 ? options.runs : default_runs;
}
