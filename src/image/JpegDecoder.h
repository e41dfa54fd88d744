#pragma once
// Decoding a JPEG picture held in memory into the viewer's 32-bit bottom-up picture.
#include <cstddef>
#include <cstdint>
#include <memory>

class Image;

// The decoded picture, or null when the data is not a picture that can be decoded. Never
// reads outside `data` and never ends the process, whatever the bytes.
std::unique_ptr<Image> decode_jpeg(const uint8_t* data, size_t size);
