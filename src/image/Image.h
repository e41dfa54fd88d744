#pragma once
// A decoded picture: 32-bit pixels in blue, green, red, fourth-byte order, bottom row first,
// rows without padding: the layout of a 32-bit uncompressed bottom-up DIB.
#include <cstddef>
#include <cstdint>
#include <memory>

class Image {
public:
    // pixels() starts on a multiple of this many bytes, whatever the allocator gives (and so does
    // every row of a width that is a multiple of 4): the decoder writes whole rows in 16-byte
    // stores that go around the cache, which need it.
    static constexpr size_t pixel_alignment = 16;

    // A picture of the given size with every byte 0 (black); sizes below 0 count as 0.
    // Throws std::bad_alloc when the buffer cannot be addressed: on the 32-bit program a
    // width * height * 4 that wrapped around would give a buffer smaller than the picture.
    Image(int width, int height);
    // A picture whose pixels are left as the allocator gives them, for a producer that writes
    // every byte itself (a decoder); the same limits as above.
    struct Unfilled {};
    Image(int width, int height, Unfilled);
    Image(const Image& other);
    Image& operator=(const Image&) = delete;
    // The pixel buffer goes back to the shared store for the next picture of the same size.
    virtual ~Image();

    int width() const { return width_; }
    int height() const { return height_; }
    size_t size() const { return size_; }
    uint8_t* pixels() { return pixels_; }
    const uint8_t* pixels() const { return pixels_; }
    // The first byte of buffer row `row` (row 0 is the picture's bottom row).
    uint8_t* row(int row) { return pixels_ + static_cast<size_t>(row) * static_cast<size_t>(width_) * 4; }
    const uint8_t* row(int row) const { return pixels_ + static_cast<size_t>(row) * static_cast<size_t>(width_) * 4; }

private:
    Image(int width, int height, size_t size);

    int width_;
    int height_;
    size_t size_;
    std::unique_ptr<uint8_t[]> storage_; // the pixels and a few bytes before them
    uint8_t* pixels_;
};

// A deep copy; null for null.
std::unique_ptr<Image> copyImage(const Image* image);
