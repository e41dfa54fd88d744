#include "playback/GammaCorrection.h"

#include "image/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

TEST(GammaCorrection, StartsAsIdentityAndLeavesPicturesUntouched)
{
    GammaCorrection brightness;
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(brightness.map(static_cast<uint8_t>(i)), i);
    }
    Image picture(2, 1);
    picture.pixels()[0] = 10;
    picture.pixels()[3] = 77;
    brightness.apply(picture);
    EXPECT_EQ(picture.pixels()[0], 10);
    EXPECT_EQ(picture.pixels()[3], 77);
}

TEST(GammaCorrection, GammaIsLimitedToItsRange)
{
    GammaCorrection low;
    GammaCorrection lowest;
    low.set(0.01);
    lowest.set(0.1);
    EXPECT_DOUBLE_EQ(low.gamma(), 0.1);
    GammaCorrection high;
    GammaCorrection highest;
    high.set(50.0);
    highest.set(5.0);
    EXPECT_DOUBLE_EQ(high.gamma(), 5.0);
    for (int i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        ASSERT_EQ(low.map(v), lowest.map(v));
        ASSERT_EQ(high.map(v), highest.map(v));
    }
    EXPECT_EQ(highest.map(0), 0);
    EXPECT_EQ(highest.map(255), 255);
}

TEST(GammaCorrection, BrightensColourBytesButNotTheFourthByte)
{
    GammaCorrection brightness;
    brightness.set(2.0);
    // (64 / 255)^(1/2) * 255 + 0.5 = 128.25
    EXPECT_EQ(brightness.map(64), 128);
    Image picture(1, 1);
    uint8_t* pixel = picture.pixels();
    pixel[0] = 64;
    pixel[1] = 0;
    pixel[2] = 255;
    pixel[3] = 64;
    const std::unique_ptr<Image> brightened = brightness.applied(picture);
    brightness.apply(picture);
    EXPECT_EQ(pixel[0], 128);
    EXPECT_EQ(pixel[1], 0);
    EXPECT_EQ(pixel[2], 255);
    EXPECT_EQ(pixel[3], 64);
    // The drawing's copy comes out the same, sized as the picture.
    ASSERT_EQ(brightened->width(), 1);
    ASSERT_EQ(brightened->height(), 1);
    EXPECT_TRUE(std::equal(pixel, pixel + 4, brightened->pixels()));
}

TEST(GammaCorrection, TheDrawingsCopyLeavesTheDecodedPictureAsItWas)
{
    GammaCorrection brightness;
    brightness.set(0.5);
    Image picture(3, 2);
    for (size_t i = 0; i < picture.size(); ++i) {
        picture.pixels()[i] = static_cast<uint8_t>(40 * i);
    }
    const std::unique_ptr<Image> decoded = copyImage(&picture);
    const std::unique_ptr<Image> brightened = brightness.applied(picture);
    EXPECT_TRUE(std::equal(picture.pixels(), picture.pixels() + picture.size(), decoded->pixels()));
    brightness.apply(picture);
    EXPECT_TRUE(std::equal(picture.pixels(), picture.pixels() + picture.size(), brightened->pixels()));
}

} // namespace
