#pragma once
// The image loader's latency: from an accepted request to the decoded picture's arrival at the
// owner window's message loop (WM_USER + 100), with the multimedia timer at 1 ms as the player
// sets it.
#include "support/BenchInputs.h"

void bench_loader_latency(const BenchInputs& inputs, int requests);
