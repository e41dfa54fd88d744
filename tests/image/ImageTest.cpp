#include "image/Image.h"

#include <gtest/gtest.h>

#include <new>

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

} // namespace
