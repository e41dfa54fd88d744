#pragma once
// The reading benchmark's cases; each prints its lines of the table.
#include "support/BenchInputs.h"

void bench_event_load(const BenchInputs& inputs, int runs);
void bench_chapter_load(const BenchInputs& inputs, int runs);
void bench_chapter_count(const BenchInputs& inputs, int runs);
void bench_decode(const BenchInputs& inputs, int runs);
