#include "LoadMemory.h"

#include <memory>

#include "recording/VideoArchive.h"
#include "support/ProcessMemory.h"
#include "support/ReportTable.h"

namespace {

std::string memory_line(const ProcessMemory& memory)
{
    std::string line = "working set " + format_megabytes(static_cast<double>(memory.working_set)) + ", peak " +
                       format_megabytes(static_cast<double>(memory.peak_working_set));
    if (memory.peak_private_bytes != 0) {
        line += "; private " + format_megabytes(static_cast<double>(memory.private_bytes)) + ", peak " +
                format_megabytes(static_cast<double>(memory.peak_private_bytes));
    }
    return line;
}

std::string growth(uint64_t before, uint64_t after)
{
    return format_megabytes(static_cast<double>(after) - static_cast<double>(before));
}

} // namespace

void report_load_memory(const BenchInputs& inputs, bool event)
{
    const ProcessMemory start = process_memory();
    auto archive = std::make_unique<VideoArchive>();
    const ProcessMemory built = process_memory();
    if (event) {
        archive->load_event(inputs.event);
    } else {
        archive->load_chapter(inputs.chapters.front());
    }
    const ProcessMemory loaded = process_memory();
    print_heading(std::string("Memory of one ") + (event ? "event" : "chapter") + " load (" +
                  std::to_string(archive->frame_count()) + " slots)",
                  false);
    print_figure("before", memory_line(start));
    print_figure("archive object made", memory_line(built));
    print_figure(event ? "after load_event" : "after load_chapter", memory_line(loaded));
    print_figure("peak working set growth: object", growth(start.peak_working_set, built.peak_working_set));
    print_figure("peak working set growth: load", growth(built.peak_working_set, loaded.peak_working_set));
    if (loaded.peak_private_bytes != 0) {
        print_figure("peak private bytes growth: object", growth(start.peak_private_bytes, built.peak_private_bytes));
        print_figure("peak private bytes growth: load", growth(built.peak_private_bytes, loaded.peak_private_bytes));
    }
}
