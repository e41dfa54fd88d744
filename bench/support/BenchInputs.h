#pragma once
// The recordings the benchmarks read, written by the sample card writer before any timing: a
// full event file (900 frames at 30 per second, with sound), 60 one-minute chapters (600 frames
// at 10 per second each) and one 640x480 frame of the event as a plain JPEG file.
#include <string>
#include <vector>

struct BenchInputs {
    std::wstring event;
    std::vector<std::wstring> chapters;
    std::wstring frame;
};

inline constexpr int chapter_input_count = 60;
inline constexpr int bench_frame_number = 450; // the frame written as a plain JPEG

// Writes into `folder` what is not there yet (a finished set is marked, so a folder kept between
// runs is written once). The chapters, which take longest to write, only when asked for.
BenchInputs prepare_inputs(const std::wstring& folder, bool with_chapters);

// The whole file.
std::vector<uint8_t> read_whole_file(const std::wstring& path);
