// Drawing pictures, checked pixel by pixel in a 32-bit bitmap.
#include "ui/AlphaImage.h"

#include "ui/GdiHandles.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr COLORREF background = RGB(0x11, 0x22, 0x33);

// A picture whose pixel (x, y), counted from the top, has red 40x + 10, green 40y + 20, blue 99.
std::unique_ptr<Image> gradient(int width, int height)
{
    auto image = std::make_unique<Image>(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image->row(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            row[x * 4 + 0] = 99;
            row[x * 4 + 1] = static_cast<uint8_t>(40 * y + 20);
            row[x * 4 + 2] = static_cast<uint8_t>(40 * x + 10);
            row[x * 4 + 3] = 255;
        }
    }
    return image;
}

COLORREF gradientAt(int x, int y)
{
    return RGB(40 * x + 10, 40 * y + 20, 99);
}

// A 32-bit bitmap selected into a memory device context, filled with the background colour.
class Canvas {
public:
    Canvas(int width, int height) : dc_(nullptr)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        selected_ = std::make_unique<SelectedObject>(dc_.get(), bitmap_.get());
        GdiObject<HBRUSH> brush(CreateSolidBrush(background));
        const RECT all{0, 0, width, height};
        FillRect(dc_.get(), &all, brush.get());
    }

    HDC dc() const { return dc_.get(); }
    COLORREF at(int x, int y) const { return GetPixel(dc_.get(), x, y); }

private:
    MemoryDc dc_;
    GdiObject<HBITMAP> bitmap_;
    std::unique_ptr<SelectedObject> selected_;
};

TEST(AlphaImage, DrawAtPutsThePictureUprightAtItsOwnSize)
{
    Canvas canvas(10, 8);
    AlphaImage image(gradient(3, 2));
    image.drawAt(canvas.dc(), 2, 1);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(canvas.at(2 + x, 1 + y), gradientAt(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(canvas.at(1, 1), background);
    EXPECT_EQ(canvas.at(5, 1), background);
    EXPECT_EQ(canvas.at(2, 0), background);
    EXPECT_EQ(canvas.at(2, 3), background);
}

TEST(AlphaImage, DrawStretchedFillsTheRectangle)
{
    Canvas canvas(10, 8);
    AlphaImage image(gradient(3, 2));
    image.drawStretched(canvas.dc(), 0, 0, 6, 4);
    EXPECT_EQ(canvas.at(0, 0), gradientAt(0, 0));
    EXPECT_EQ(canvas.at(1, 1), gradientAt(0, 0));
    EXPECT_EQ(canvas.at(3, 0), gradientAt(1, 0));
    EXPECT_EQ(canvas.at(5, 3), gradientAt(2, 1));
    EXPECT_EQ(canvas.at(6, 0), background);
    EXPECT_EQ(canvas.at(0, 4), background);
}

TEST(AlphaImage, DrawColumnsTakesTheGivenColumnsAtFullHeight)
{
    Canvas canvas(10, 8);
    AlphaImage image(gradient(4, 2));
    image.drawColumns(canvas.dc(), 1, 1, 2, 2, 2, 2); // columns 2 and 3 at their own size
    EXPECT_EQ(canvas.at(1, 1), gradientAt(2, 0));
    EXPECT_EQ(canvas.at(2, 2), gradientAt(3, 1));
    EXPECT_EQ(canvas.at(3, 1), background);

    image.drawColumns(canvas.dc(), 5, 4, 4, 2, 1, 1); // column 1 stretched four wide
    for (int x = 5; x < 9; ++x) {
        EXPECT_EQ(canvas.at(x, 4), gradientAt(1, 0));
        EXPECT_EQ(canvas.at(x, 5), gradientAt(1, 1));
    }
}

TEST(AlphaImage, WithoutAPictureNothingIsDrawn)
{
    Canvas canvas(6, 6);
    AlphaImage empty;
    EXPECT_FALSE(empty.hasPicture());
    EXPECT_EQ(empty.width(), 0);
    EXPECT_EQ(empty.height(), 0);
    empty.drawAt(canvas.dc(), 0, 0);
    empty.drawStretched(canvas.dc(), 0, 0, 6, 6);
    empty.drawColumns(canvas.dc(), 0, 0, 6, 6, 0, 1);
    AlphaImage notAPicture(30002);
    notAPicture.drawStretched(canvas.dc(), 0, 0, 6, 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(canvas.at(x, y), background);
        }
    }
}

TEST(AlphaImage, PictureFromResourcesDrawsItsColours)
{
    Canvas canvas(5, 4);
    AlphaImage image(30001); // 3 x 2: red, green, blue over white, black, translucent
    ASSERT_TRUE(image.hasPicture());
    image.drawAt(canvas.dc(), 0, 0);
    EXPECT_EQ(canvas.at(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.at(1, 0), RGB(0, 255, 0));
    EXPECT_EQ(canvas.at(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.at(0, 1), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.at(2, 1), RGB(10, 20, 30)) << "copied, not blended";
}

} // namespace
