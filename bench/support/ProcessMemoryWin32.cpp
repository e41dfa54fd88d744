#include "support/ProcessMemory.h"

#include <windows.h>

#include <psapi.h>

ProcessMemory process_memory()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    ProcessMemory memory;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        memory.working_set = counters.WorkingSetSize;
        memory.peak_working_set = counters.PeakWorkingSetSize;
        memory.private_bytes = counters.PagefileUsage;
        memory.peak_private_bytes = counters.PeakPagefileUsage;
    }
    return memory;
}
