#include "playback/Letterbox.h"

#include <cstdint>

PictureRect letterbox(int width, int height)
{
    PictureRect target;
    // W / 640 < H / 480 compared without rounding: W * 480 < H * 640.
    if (static_cast<int64_t>(width) * 480 < static_cast<int64_t>(height) * 640) {
        target.width = width;
        target.height = static_cast<int>(static_cast<int64_t>(width) * 480 / 640);
    } else {
        target.width = static_cast<int>(static_cast<int64_t>(height) * 640 / 480);
        target.height = height;
    }
    target.x = (width - target.width) / 2;
    target.y = (height - target.height) / 2;
    return target;
}
