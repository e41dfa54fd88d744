#pragma once
// This process's memory as the system counts it: the working set (pages in RAM) and the private
// bytes (committed memory of its own), each now and at its peak since the process started.
#include <cstdint>

struct ProcessMemory {
    uint64_t working_set = 0;
    uint64_t peak_working_set = 0;
    uint64_t private_bytes = 0;      // 0 where the system does not tell it
    uint64_t peak_private_bytes = 0; // 0 where the system does not tell it
};

ProcessMemory process_memory();
