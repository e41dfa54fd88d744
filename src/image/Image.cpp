#include "image/Image.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

#include "image/PixelStore.h"

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
      size_(byteCount(width_, height_)),
      pixels_(PixelStore::shared().take(size_))
{
    std::fill(pixels_.get(), pixels_.get() + size_, uint8_t{0}); // black
}

Image::Image(int width, int height, Unfilled)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      size_(byteCount(width_, height_)),
      pixels_(PixelStore::shared().take(size_)) // no time spent on bytes about to be written
{
}

Image::~Image()
{
    PixelStore::shared().give_back(std::move(pixels_), size_);
}

Image::Image(const Image& other) : Image(other.width_, other.height_, Unfilled{})
{
    std::copy(other.pixels_.get(), other.pixels_.get() + size_, pixels_.get());
}

std::unique_ptr<Image> copyImage(const Image* image)
{
    return image == nullptr ? nullptr : std::make_unique<Image>(*image);
}
