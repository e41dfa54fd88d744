#pragma once
// The short table the benchmarks print: one line per figure, median first, then the spread.
#include <string>

#include "support/Timing.h"

// "12.3 ms", "0.412 ms", "1.27 s": three significant digits.
std::string format_duration(double seconds);
// "3.41x"
std::string format_ratio(double ratio);
// "21.2 MB" (10^6 bytes)
std::string format_megabytes(double bytes);

// A section's title; with columns, the titles of the timing columns under it.
void print_heading(const std::string& title, bool columns = true);
// label, median, min … max, 90th percentile, number of runs.
void print_times(const std::string& label, const Summary& summary);
void print_ratio(const std::string& label, const Summary& summary);
// A figure that is no time or ratio, already formatted.
void print_figure(const std::string& label, const std::string& value);
void print_note(const std::string& text);
