#pragma once
// A picture ready to be drawn: owns one Image (or none) and draws it as a 32-bit bottom-up
// device-independent bitmap. Without a picture every drawing call draws nothing.
#include "image/Image.h"

#include <windows.h>

#include <memory>

class AlphaImage {
public:
    AlphaImage() = default;
    explicit AlphaImage(std::unique_ptr<Image> image) : image_(std::move(image)) {}
    // The "IMAGE" resource `id`; no picture when it is missing or not a PNG.
    explicit AlphaImage(int resourceId);
    virtual ~AlphaImage() = default;
    AlphaImage(const AlphaImage&) = delete;
    AlphaImage& operator=(const AlphaImage&) = delete;

    const Image* image() const { return image_.get(); }
    bool hasPicture() const { return image_ != nullptr; }
    // 0 without a picture.
    int width() const;
    int height() const;

    // The whole picture at its own size with its top-left corner at (x, y).
    void drawAt(HDC dc, int x, int y) const;
    // The whole picture stretched into the rectangle.
    void drawStretched(HDC dc, int x, int y, int width, int height) const;
    // Columns sourceX .. sourceX + sourceWidth of the picture, full height, stretched into the
    // rectangle (used to draw the ends and the middle of a channel separately).
    void drawColumns(HDC dc, int x, int y, int width, int height, int sourceX, int sourceWidth) const;

private:
    std::unique_ptr<Image> image_;
};
