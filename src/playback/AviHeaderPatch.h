#pragma once
// A fix-up of a written AVI file's headers. The system's AVIFile writer under Wine records the
// length of a fixed-sample-size stream (the sound) as its number of chunks instead of its
// number of samples, and players then take the sound for a few dozen samples long; the
// writer puts the true length into the stream header once the file is closed (on Windows,
// where the field is already right, this writes the same value again).
#include <cstddef>
#include <cstdint>
#include <optional>

// The file offset of the length field (dwLength) of the first sound stream's header ("strh"
// with type "auds") in the header list of an AVI file whose first `size` bytes are `data`;
// nothing when the bytes are no AVI header list or hold no sound stream.
std::optional<size_t> sound_length_field(const uint8_t* data, size_t size);
