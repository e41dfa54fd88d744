#include "playback/GammaCorrection.h"

#include "image/Image.h"

#include <algorithm>
#include <cmath>

void GammaCorrection::set(double gamma)
{
    gamma_ = std::clamp(gamma, 0.1, 5.0);
    for (int i = 0; i < 256; ++i) {
        const double value = std::pow(i / 255.0, 1.0 / gamma_) * 255.0 + 0.5;
        table_[static_cast<size_t>(i)] = static_cast<uint8_t>(std::min(static_cast<int>(value), 255));
    }
}

void GammaCorrection::apply(Image& picture) const
{
    if (gamma_ == 1.0) {
        return;
    }
    uint8_t* pixel = picture.pixels();
    const uint8_t* const end = pixel + picture.size();
    for (; pixel != end; pixel += 4) {
        pixel[0] = table_[pixel[0]];
        pixel[1] = table_[pixel[1]];
        pixel[2] = table_[pixel[2]];
    }
}

std::unique_ptr<Image> GammaCorrection::applied(const Image& picture) const
{
    auto result = std::make_unique<Image>(picture.width(), picture.height(), Image::Unfilled{});
    const uint8_t* from = picture.pixels();
    const uint8_t* const end = from + picture.size();
    uint8_t* to = result->pixels();
    for (; from != end; from += 4, to += 4) {
        to[0] = table_[from[0]];
        to[1] = table_[from[1]];
        to[2] = table_[from[2]];
        to[3] = from[3];
    }
    return result;
}
