#include "base/BufferStore.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr size_t max_buffers = 4;
constexpr size_t max_bytes = 8u * 1024u * 1024u;

TEST(BufferStore, AFreedBufferIsGivenToTheNextTakeOfItsSizeOnly)
{
    BufferStore store(max_buffers, max_bytes);
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

TEST(BufferStore, KeepsNoMoreThanItsBoundsAndFreesTheOldestFirst)
{
    BufferStore store(max_buffers, max_bytes);
    for (size_t i = 0; i < max_buffers + 2; ++i) {
        store.give_back(store.take(100 + i), 100 + i);
    }
    EXPECT_EQ(store.kept_buffers(), max_buffers);
    // The two oldest sizes were let go: taking one comes from the allocator, not the store.
    std::unique_ptr<uint8_t[]> oldest = store.take(100);
    EXPECT_EQ(store.kept_buffers(), max_buffers);
    std::unique_ptr<uint8_t[]> newest = store.take(100 + max_buffers + 1);
    EXPECT_EQ(store.kept_buffers(), max_buffers - 1);

    // Bytes bound: a buffer larger than the whole bound is not kept at all, and big ones push
    // the others out.
    store.give_back(std::unique_ptr<uint8_t[]>(new uint8_t[16]), max_bytes + 1);
    EXPECT_LE(store.kept_bytes(), max_bytes);
    const size_t big = max_bytes / 2 + 1;
    store.give_back(std::unique_ptr<uint8_t[]>(new uint8_t[big]), big);
    store.give_back(std::unique_ptr<uint8_t[]>(new uint8_t[big]), big);
    EXPECT_EQ(store.kept_buffers(), 1u);
    EXPECT_EQ(store.kept_bytes(), big);
}

} // namespace
