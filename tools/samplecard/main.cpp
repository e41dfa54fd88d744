// sample-card: writes recorder cards for trying out the viewer, for tests and for the fuzzer.
#include "samplecard/CardWriter.h"

#include "common/Arguments.h"

#include "base/Utf8.h"

#include <cstdlib>
#include <exception>
#include <string>

namespace {

const char* const usage =
    "usage: sample-card OUTDIR [--seed N]   a card as the recorder leaves it after a day's driving\n"
    "       sample-card --awkward OUTDIR    folder layouts that make finding recordings hard\n"
    "       sample-card --fuzz-seeds DIR    small seed files for the archive fuzzer\n";

bool parse_seed(const std::wstring& text, uint64_t& seed)
{
    if (text.empty() || text.size() > 19 || text.find_first_not_of(L"0123456789") != std::wstring::npos) {
        return false;
    }
    seed = std::stoull(wide_to_utf8(text));
    return true;
}

void list_folders(const std::vector<samplecard::CardFolder>& folders)
{
    for (const auto& folder : folders) {
        std::string line = wide_to_utf8(folder.path) + "\t" + wide_to_utf8(folder.contents);
        line += folder.hidden ? "\thidden" : "\t";
        line += folder.note.empty() ? "" : "\t" + wide_to_utf8(folder.note);
        write_out(line + "\n");
    }
}

int run(const std::vector<std::wstring>& arguments)
{
    if (arguments.size() == 2 && arguments[0] == L"--awkward") {
        list_folders(samplecard::write_awkward_card(arguments[1]));
        return 0;
    }
    if (arguments.size() == 2 && arguments[0] == L"--fuzz-seeds") {
        for (const auto& name : samplecard::write_fuzz_seeds(arguments[1])) {
            write_out(wide_to_utf8(name) + "\n");
        }
        return 0;
    }
    uint64_t seed = 1;
    const bool plain = arguments.size() == 1 && arguments[0].rfind(L"--", 0) != 0;
    const bool seeded = arguments.size() == 3 && arguments[0].rfind(L"--", 0) != 0 && arguments[1] == L"--seed" &&
                        parse_seed(arguments[2], seed);
    if (!plain && !seeded) {
        write_err(usage);
        return 2;
    }
    list_folders(samplecard::write_realistic_card(arguments[0], seed));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::wstring> all = wide_arguments(argc, argv);
    const std::vector<std::wstring> arguments(all.size() > 1 ? all.begin() + 1 : all.end(), all.end());
    try {
        return run(arguments);
    } catch (const std::exception& failure) {
        write_err(std::string("sample-card: ") + failure.what() + "\n");
        return 1;
    }
}
