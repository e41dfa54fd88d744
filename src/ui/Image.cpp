#include "ui/Image.h"

#include <algorithm>

Image::Image(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4)
{
}

std::unique_ptr<Image> copyImage(const Image* image)
{
    return image == nullptr ? nullptr : std::make_unique<Image>(*image);
}
