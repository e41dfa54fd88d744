#pragma once
// The memory one load takes: the process's figures before the archive object exists, once it
// exists, and after an event or chapter load. Run in a fresh process of its own, because the
// peak figures only ever grow.
#include "support/BenchInputs.h"

void report_load_memory(const BenchInputs& inputs, bool event);
