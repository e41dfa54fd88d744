#pragma once
// The two halves of an event load timed apart: walking the blocks, and writing the sound file.
#include "support/BenchInputs.h"

void bench_event_load_parts(const BenchInputs& inputs, int runs);
