// tarvo-dump: prints what the viewer's readers understand of a recording, a folder or a
// settings file, as JSON (UTF-8), for users and for tests.
#include "Modes.h"

#include "common/Arguments.h"

#include <functional>
#include <map>

namespace {

const char* const usage =
    "usage: tarvo-dump FILE [--wav OUT] [--frame N --bmp OUT]\n"
    "       tarvo-dump --csv FILE\n"
    "       tarvo-dump --folder DIR\n"
    "       tarvo-dump --images DIR\n"
    "       tarvo-dump --settings FILE\n";

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::wstring> all = wide_arguments(argc, argv);
    const Arguments arguments(all.size() > 1 ? all.begin() + 1 : all.end(), all.end());
    if (arguments.empty()) {
        write_err(usage);
        return 2;
    }
    const std::map<std::wstring, std::function<int(const Arguments&)>> modes = {
        {L"--folder", dump_folder},
        {L"--images", dump_images},
        {L"--settings", dump_settings},
    };
    const auto mode = modes.find(arguments.front());
    if (mode != modes.end()) {
        if (arguments.size() != 2) {
            write_err(usage);
            return 2;
        }
        return mode->second(Arguments(arguments.begin() + 1, arguments.end()));
    }
    // FILE, --csv FILE and the extraction options are the recording-file mode's to parse.
    return dump_recording_file(arguments);
}
