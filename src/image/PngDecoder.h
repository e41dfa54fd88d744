#pragma once
// PNG files in memory (the skin's "IMAGE" resources) decoded into pictures.
#include "image/Image.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// The PNG file in `data` as a picture: palette, grey below 8 bits and transparency expanded to
// colour with alpha, 16-bit channels reduced to 8 bits, grey turned into colour, blue, green,
// red order, and a fourth byte of 255 (opaque) when the file has no alpha of its own. Null when
// the data is not a PNG file, is damaged, or holds a picture too large to keep in memory.
std::unique_ptr<Image> decodePng(const uint8_t* data, size_t size);
