#pragma once
// Feeds one input to every reader of recording files, as the fuzzer and its regression test do:
// event, chapter and picture loads, frame counting, every kind of frame access and decoding.
#include <cstddef>
#include <cstdint>
#include <string>

class VideoArchive;

// Writes `data` to the file `scratch` and reads it every way the viewer does, with `archive`
// (which, as in the viewer, lives on from one recording to the next). Returns a value computed
// from everything read, so that nothing is optimised away.
uint64_t exercise_archive(const uint8_t* data, size_t size, const std::wstring& scratch, VideoArchive& archive);

// Loads `data` as an event and as a chapter twice each, from the file `scratch` and from memory,
// and tells whether both ways made the same records, time index and sound (or failed alike).
bool file_and_memory_loads_agree(const uint8_t* data, size_t size, const std::wstring& scratch, VideoArchive& archive);
