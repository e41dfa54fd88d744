#include "image/Image.h"
#include "image/PixelStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

TEST(PixelStore, AFreedBufferIsGivenToTheNextTakeOfItsSizeOnly)
{
    PixelStore store;
    std::unique_ptr<uint8_t[]> first = store.take(1000);
    const uint8_t* address = first.get();
    store.give_back(std::move(first), 1000);
    EXPECT_EQ(store.kept_buffers(), 1u);

    std::unique_ptr<uint8_t[]> other = store.take(999);
    EXPECT_NE(other.get(), address);
    EXPECT_EQ(store.kept_buffers(), 1u);

    std::unique_ptr<uint8_t[]> again = store.take(1000);
    EXPECT_EQ(again.get(), address);
    EXPECT_EQ(store.kept_buffers(), 0u);
    EXPECT_EQ(store.kept_bytes(), 0u);
}

TEST(PixelStore, KeepsNoMoreThanItsBoundsAndFreesTheOldestFirst)
{
    PixelStore store;
    for (size_t i = 0; i < PixelStore::max_buffers + 2; ++i) {
        store.give_back(store.take(100 + i), 100 + i);
    }
    EXPECT_EQ(store.kept_buffers(), PixelStore::max_buffers);
    // The two oldest sizes were let go: taking one comes from the allocator, not the store.
    std::unique_ptr<uint8_t[]> oldest = store.take(100);
    EXPECT_EQ(store.kept_buffers(), PixelStore::max_buffers);
    std::unique_ptr<uint8_t[]> newest = store.take(100 + PixelStore::max_buffers + 1);
    EXPECT_EQ(store.kept_buffers(), PixelStore::max_buffers - 1);

    // Bytes bound: a buffer larger than the whole bound is not kept at all, and big ones push
    // the others out.
    store.give_back(std::unique_ptr<uint8_t[]>(new uint8_t[16]), PixelStore::max_bytes + 1);
    EXPECT_LE(store.kept_bytes(), PixelStore::max_bytes);
    const size_t big = PixelStore::max_bytes / 2 + 1;
    store.give_back(std::unique_ptr<uint8_t[]>(new uint8_t[big]), big);
    store.give_back(std::unique_ptr<uint8_t[]>(new uint8_t[big]), big);
    EXPECT_EQ(store.kept_buffers(), 1u);
    EXPECT_EQ(store.kept_bytes(), big);
}

TEST(PixelStore, APictureMadeBlackIsBlackOnAReusedBuffer)
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

TEST(PixelStore, PicturesMadeAndFreedOnSeveralThreadsKeepTheirOwnBuffers)
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
    EXPECT_LE(PixelStore::shared().kept_buffers(), PixelStore::max_buffers);
}

} // namespace
