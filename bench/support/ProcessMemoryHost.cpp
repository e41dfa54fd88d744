#include "support/ProcessMemory.h"

#include <fstream>
#include <sstream>
#include <string>

ProcessMemory process_memory()
{
    // Linux keeps the resident set and its high-water mark in the process's status, in kB.
    ProcessMemory memory;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        std::istringstream fields(line);
        std::string name;
        uint64_t kilobytes = 0;
        fields >> name >> kilobytes;
        if (name == "VmRSS:") {
            memory.working_set = kilobytes * 1024;
        } else if (name == "VmHWM:") {
            memory.peak_working_set = kilobytes * 1024;
        }
    }
    return memory;
}
