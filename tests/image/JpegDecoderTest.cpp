#include "image/JpegDecoder.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/TestJpeg.h"
#include "image/Image.h"

namespace {

uint32_t stripes(int x, int)
{
    // Four vertical stripes: red, green, blue, grey.
    static const uint32_t colours[] = {0xFF0000u, 0x00FF00u, 0x0000FFu, 0x808080u};
    return colours[(x / 16) % 4];
}

uint32_t gradient(int x, int y)
{
    const auto level = static_cast<uint32_t>((x * 4 + y) & 0xFF);
    return level << 16 | level << 8 | level;
}

const uint8_t* pixel(const Image& image, int x, int y_from_top)
{
    return image.pixels() + (static_cast<size_t>(image.height() - 1 - y_from_top) * image.width() + x) * 4;
}

TEST(JpegDecoder, ColourPicturesBecomeBottomUpBlueGreenRedZero)
{
    const Bytes jpeg = encode_colour_jpeg(64, 40, stripes);
    const std::unique_ptr<Image> image = decode_jpeg(jpeg.data(), jpeg.size());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width(), 64);
    EXPECT_EQ(image->height(), 40);
    EXPECT_EQ(image->size(), 64u * 40u * 4u);
    const int expected[4][3] = {{0, 0, 255}, {0, 255, 0}, {255, 0, 0}, {128, 128, 128}};
    for (int stripe = 0; stripe < 4; ++stripe) {
        for (const int y : {2, 20, 37}) {
            const uint8_t* p = pixel(*image, stripe * 16 + 8, y);
            for (int c = 0; c < 3; ++c) {
                EXPECT_NEAR(p[c], expected[stripe][c], 12) << stripe << "," << y << "," << c;
            }
            EXPECT_EQ(p[3], 0);
        }
    }
}

TEST(JpegDecoder, EveryFourthByteIsZeroWhateverTheWidth)
{
    // The fourth bytes are cleared several pixels at a time; the last few of a row, past the
    // last whole group, are cleared on their own. Rows wider than 2048 pixels take another way.
    for (const int width : {1, 3, 4, 5, 7, 37, 649, 2057}) {
        const Bytes jpeg = encode_colour_jpeg(width, 9, stripes);
        const std::unique_ptr<Image> image = decode_jpeg(jpeg.data(), jpeg.size());
        ASSERT_NE(image, nullptr) << width;
        int nonzero = 0;
        for (size_t at = 3; at < image->size(); at += 4) {
            nonzero += image->pixels()[at] != 0 ? 1 : 0;
        }
        EXPECT_EQ(nonzero, 0) << width;
        const int red_of_stripe[] = {255, 0, 0, 128};
        EXPECT_NEAR(pixel(*image, width - 1, 4)[2], red_of_stripe[(width - 1) / 16 % 4], 12) << width; // the row's last pixel
    }
}

TEST(JpegDecoder, GreyPicturesStayGreyAndKeepTheirRowOrder)
{
    const Bytes jpeg = encode_grey_jpeg(50, 30, gradient); // a width that needs row padding
    const std::unique_ptr<Image> image = decode_jpeg(jpeg.data(), jpeg.size());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width(), 50);
    for (int y = 0; y < 30; y += 7) {
        for (int x = 0; x < 50; x += 9) {
            const uint8_t* p = pixel(*image, x, y);
            EXPECT_EQ(p[0], p[1]);
            EXPECT_EQ(p[1], p[2]);
            EXPECT_EQ(p[3], 0);
            EXPECT_NEAR(p[0], (x * 4 + y) & 0xFF, 6) << x << "," << y;
        }
    }
}

TEST(JpegDecoder, TheRecordersLayoutDecodesLikeTheOriginal)
{
    const Bytes jpeg = encode_colour_jpeg(48, 16, stripes);
    const Bytes layout = recorder_layout(jpeg);
    ASSERT_EQ(layout[4], 0x01);
    ASSERT_EQ(layout[5], 0xA2);
    const auto original = decode_jpeg(jpeg.data(), jpeg.size());
    const auto restored = decode_jpeg(layout.data(), layout.size());
    ASSERT_NE(original, nullptr);
    ASSERT_NE(restored, nullptr);
    ASSERT_EQ(original->size(), restored->size());
    EXPECT_EQ(0, std::memcmp(original->pixels(), restored->pixels(), original->size()));
}

TEST(JpegDecoder, TruncatedPicturesNeverReadBeyondTheirData)
{
    const Bytes jpeg = encode_colour_jpeg(64, 48, stripes);
    // Every cut: no crash, no read past the copy (the sanitizers watch the exact-size buffer).
    int decoded = 0;
    for (size_t size = 0; size < jpeg.size(); size += 1 + size / 8) {
        const std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + static_cast<long>(size));
        const auto image = decode_jpeg(cut.empty() ? nullptr : cut.data(), cut.size());
        decoded += image != nullptr;
        if (image) {
            EXPECT_EQ(image->width(), 64); // a cut in the scan data is finished with grey
        }
    }
    EXPECT_GT(decoded, 0);
    EXPECT_EQ(decode_jpeg(jpeg.data(), 2), nullptr);
}

TEST(JpegDecoder, DamagedPicturesGiveNoPicture)
{
    const Bytes jpeg = encode_colour_jpeg(32, 32, stripes);
    EXPECT_EQ(decode_jpeg(nullptr, 0), nullptr);
    const Bytes garbage(1000, 0x5A);
    EXPECT_EQ(decode_jpeg(garbage.data(), garbage.size()), nullptr);
    Bytes no_start = jpeg;
    no_start[1] = 0x00;
    EXPECT_EQ(decode_jpeg(no_start.data(), no_start.size()), nullptr);
    // Damage at every 37th byte, one at a time: either a picture or none, never a crash.
    for (size_t at = 2; at < jpeg.size(); at += 37) {
        Bytes damaged = jpeg;
        damaged[at] ^= 0xFF;
        const auto image = decode_jpeg(damaged.data(), damaged.size());
        if (image) {
            EXPECT_EQ(image->size(), static_cast<size_t>(image->width()) * image->height() * 4);
        }
    }
}

TEST(JpegDecoder, AHugeClaimedSizeIsRefused)
{
    Bytes jpeg = encode_colour_jpeg(16, 16, stripes);
    // Rewrite the frame header's height and width to 65000 x 65000.
    for (size_t at = 2; at + 9 < jpeg.size(); ++at) {
        if (jpeg[at] == 0xFF && jpeg[at + 1] == 0xC0) {
            jpeg[at + 5] = jpeg[at + 7] = 0xFD;
            jpeg[at + 6] = jpeg[at + 8] = 0xE8;
            break;
        }
    }
    EXPECT_EQ(decode_jpeg(jpeg.data(), jpeg.size()), nullptr);
}

} // namespace
