#pragma once
// Per frame: reading and decoding the picture, then brightness and drawing into an 800x600
// window with DrawDib and with the StretchDIBits fallback, against the decode alone.
#include "support/BenchInputs.h"

void bench_frame_drawing(const BenchInputs& inputs, int frames);
