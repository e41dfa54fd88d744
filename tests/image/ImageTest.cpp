#include "image/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <thread>
#include <vector>

namespace {

TEST(Image, ANegativeSizeGivesAnEmptyPicture)
{
    const Image empty(-4, 7);
    EXPECT_EQ(empty.width(), 0);
    EXPECT_EQ(empty.size(), 0u);
}

TEST(Image, CopyIsDeepAndNullStaysNull)
{
    Image image(2, 2);
    image.row(1)[5] = 77;
    const auto copy = copyImage(&image);
    ASSERT_NE(copy, nullptr);
    image.row(1)[5] = 1;
    EXPECT_EQ(copy->row(1)[5], 77);
    EXPECT_EQ(copy->width(), 2);
    EXPECT_EQ(copyImage(nullptr), nullptr);
}

TEST(Image, ASizeBeyondTheAddressSpaceIsRefusedNotWrappedAround)
{
    if (sizeof(size_t) > 4) {
        GTEST_SKIP() << "only a 32-bit program can wrap the byte count";
    }
    // 65536 * 65536 * 4 wraps to 0 in 32 bits.
    EXPECT_THROW(Image(65536, 65536), std::bad_alloc);
    EXPECT_THROW(Image(40000, 30000), std::bad_alloc);
}

TEST(Image, APictureMadeBlackIsBlackOnAReusedBuffer)
{
    {
        Image used(64, 48, Image::Unfilled{});
        std::fill(used.pixels(), used.pixels() + used.size(), uint8_t{0xAB});
    }
    const Image black(64, 48);
    for (size_t i = 0; i < black.size(); ++i) {
        ASSERT_EQ(black.pixels()[i], 0) << i;
    }
}

TEST(Image, PicturesMadeAndFreedOnSeveralThreadsKeepTheirOwnBuffers)
{
    // Each thread writes its own mark into every picture it makes and checks it is intact
    // before freeing it: two threads handed one buffer would see each other's marks.
    std::vector<std::thread> threads;
    std::vector<int> damaged(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &damaged] {
            for (int round = 0; round < 200; ++round) {
                Image picture(32, 8 + round % 3, Image::Unfilled{});
                std::fill(picture.pixels(), picture.pixels() + picture.size(), static_cast<uint8_t>(t + 1));
                std::this_thread::yield();
                for (size_t i = 0; i < picture.size(); ++i) {
                    if (picture.pixels()[i] != t + 1) {
                        ++damaged[static_cast<size_t>(t)];
                        break;
                    }
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(damaged, std::vector<int>(4, 0));
}

} // namespace
