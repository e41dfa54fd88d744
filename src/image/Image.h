#pragma once
// A decoded picture: 32-bit pixels in blue, green, red, fourth-byte order, bottom row first,
// rows without padding: the layout of a 32-bit uncompressed bottom-up DIB.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Image {
public:
    // A picture of the given size with every byte 0 (black); sizes below 0 count as 0.
    // Throws std::bad_alloc when the buffer cannot be addressed: on the 32-bit program a
    // width * height * 4 that wrapped around would give a buffer smaller than the picture.
    Image(int width, int height);
    virtual ~Image() = default;

    int width() const { return width_; }
    int height() const { return height_; }
    size_t size() const { return pixels_.size(); }
    uint8_t* pixels() { return pixels_.data(); }
    const uint8_t* pixels() const { return pixels_.data(); }
    // The first byte of buffer row `row` (row 0 is the picture's bottom row).
    uint8_t* row(int row) { return pixels_.data() + static_cast<size_t>(row) * static_cast<size_t>(width_) * 4; }
    const uint8_t* row(int row) const
    {
        return pixels_.data() + static_cast<size_t>(row) * static_cast<size_t>(width_) * 4;
    }

private:
    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
};

// A deep copy; null for null.
std::unique_ptr<Image> copyImage(const Image* image);
