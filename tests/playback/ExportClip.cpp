// export-clip FOLDER event|continuous OUT.avi: exports a recording as the viewer's menu command
// does, without its windows, for the tests that read the file back with other programs and for
// the benchmark. Prints the slots written; a failure prints its message and exits with 1.
#include "common/Arguments.h"
#include "base/Exception.h"
#include "base/Utf8.h"
#include "playback/AviClipWriter.h"
#include "playback/ClipExport.h"
#include "recording/DataType.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::wstring> arguments = wide_arguments(argc, argv);
    if (arguments.size() != 4 || (arguments[2] != L"event" && arguments[2] != L"continuous")) {
        write_err("usage: export-clip FOLDER event|continuous OUT.avi\n");
        return 2;
    }
    const int kind = arguments[2] == L"event" ? data_type_event : data_type_continuous;
    try {
        const auto clip = ClipExport::of_folder(arguments[1], kind);
        AviClipWriter writer(arguments[3]);
        try {
            while (clip->step(writer)) {
            }
        } catch (...) {
            writer.abandon();
            throw;
        }
        write_out("slots " + std::to_string(clip->slots_written()) + "\n");
        return 0;
    } catch (const Exception& failure) {
        write_err(wide_to_utf8(failure.message()) + "\n");
        return 1;
    }
}
