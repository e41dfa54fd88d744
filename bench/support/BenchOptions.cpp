#include "support/BenchOptions.h"

#include <exception>
#include <memory>

#include "common/Arguments.h"
#include "support/TempFolder.h"

std::optional<BenchOptions> parse_bench_options(const std::vector<std::wstring>& arguments)
{
    BenchOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& name = arguments[i];
        if (name == L"--write-inputs") {
            options.write_only = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            return std::nullopt; // every other option takes a value
        }
        const std::wstring& value = arguments[++i];
        if (name == L"--data") {
            options.data = value;
        } else if (name == L"--runs") {
            if (value.empty() || value.size() > 6 || value.find_first_not_of(L"0123456789") != std::wstring::npos) {
                return std::nullopt;
            }
            options.runs = std::stoi(value);
        } else if (name == L"--memory" && (value == L"event" || value == L"chapter")) {
            options.memory = value;
        } else {
            return std::nullopt;
        }
    }
    if (options.write_only && options.data.empty()) {
        return std::nullopt; // inputs written into a temporary folder would go with it
    }
    return options;
}

int bench_main(int argc, char** argv, const char* name, const char* usage, BenchRun run)
{
    std::vector<std::wstring> arguments = wide_arguments(argc, argv);
    if (!arguments.empty()) {
        arguments.erase(arguments.begin());
    }
    const std::optional<BenchOptions> options = parse_bench_options(arguments);
    if (!options) {
        write_err(usage);
        return 2;
    }
    try {
        std::unique_ptr<TempFolder> scratch;
        if (options->data.empty()) {
            scratch = std::make_unique<TempFolder>();
        }
        return run(*options, scratch ? scratch->path() : options->data);
    } catch (const std::exception& failure) {
        write_err(std::string(name) + ": " + failure.what() + "\n");
        return 1;
    }
}
