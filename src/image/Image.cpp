#include "image/Image.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

#include "base/BufferStore.h"

namespace {

size_t byteCount(int width, int height)
{
    const uint64_t count = static_cast<uint64_t>(width) * static_cast<uint64_t>(height) * 4;
    if (count > std::numeric_limits<size_t>::max()) {
        throw std::bad_alloc();
    }
    return static_cast<size_t>(count);
}

// The pixel buffers of freed pictures, kept for the next picture of their size (a player's
// pictures, the loader's one being decoded and a few thumbnails).
constexpr size_t kept_pictures = 4;
constexpr size_t kept_picture_bytes = 8u * 1024u * 1024u;

BufferStore& pixel_store()
{
    // Never destroyed: pictures held by static objects may be freed after the end of main.
    static BufferStore* const store = new BufferStore(kept_pictures, kept_picture_bytes);
    return *store;
}

} // namespace

Image::Image(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      size_(byteCount(width_, height_)),
      pixels_(pixel_store().take(size_))
{
    std::fill(pixels_.get(), pixels_.get() + size_, uint8_t{0}); // black
}

Image::Image(int width, int height, Unfilled)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      size_(byteCount(width_, height_)),
      pixels_(pixel_store().take(size_)) // no time spent on bytes about to be written
{
}

Image::~Image()
{
    pixel_store().give_back(std::move(pixels_), size_);
}

Image::Image(const Image& other) : Image(other.width_, other.height_, Unfilled{})
{
    std::copy(other.pixels_.get(), other.pixels_.get() + size_, pixels_.get());
}

std::unique_ptr<Image> copyImage(const Image* image)
{
    return image == nullptr ? nullptr : std::make_unique<Image>(*image);
}
