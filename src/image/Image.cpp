#include "image/Image.h"

#include <algorithm>
#include <limits>
#include <new>

namespace {

size_t byteCount(int width, int height)
{
    const uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4;
    if (count > std::numeric_limits<size_t>::max()) {
        throw std::bad_alloc();
    }
    return static_cast<size_t>(count);
}

} // namespace

Image::Image(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(byteCount(width_, height_))
{
}

std::unique_ptr<Image> copyImage(const Image* image)
{
    return image == nullptr ? nullptr : std::make_unique<Image>(*image);
}
