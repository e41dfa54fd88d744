#include "ui/AlphaImage.h"

#include "ui/Resource.h"

AlphaImage::AlphaImage(int resourceId) : image_(loadImage(resourceId))
{
}

int AlphaImage::width() const
{
    return image_ != nullptr ? image_->width() : 0;
}

int AlphaImage::height() const
{
    return image_ != nullptr ? image_->height() : 0;
}

void AlphaImage::drawAt(HDC dc, int x, int y) const
{
    drawColumns(dc, x, y, width(), height(), 0, width());
}

void AlphaImage::drawStretched(HDC dc, int x, int y, int width, int height) const
{
    drawColumns(dc, x, y, width, height, 0, this->width());
}

void AlphaImage::drawColumns(HDC dc, int x, int y, int width, int height, int sourceX, int sourceWidth) const
{
    if (image_ == nullptr) {
        return;
    }
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = image_->width();
    header.bmiHeader.biHeight = image_->height(); // positive: the bottom row comes first
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, x, y, width, height, sourceX, 0, sourceWidth, image_->height(), image_->pixels(), &header,
                  DIB_RGB_COLORS, SRCCOPY);
}
