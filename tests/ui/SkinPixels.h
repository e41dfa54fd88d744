#pragma once
// The pixels of the skin's pictures, to compare with what a control shows on the screen.
#include "ui/AlphaImage.h"

#include <windows.h>

// The colour of pixel (x, y), counted from the top left, of "IMAGE" resource `id`, as GetPixel
// would report it on the screen.
inline COLORREF pictureColour(int id, int x, int y)
{
    const AlphaImage picture(id);
    const Image* image = picture.image();
    const uint8_t* pixel = image->row(image->height() - 1 - y) + x * 4;
    return RGB(pixel[2], pixel[1], pixel[0]);
}
