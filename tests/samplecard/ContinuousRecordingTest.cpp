#include "samplecard/ContinuousRecording.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace samplecard;
using namespace samplecard_test;

ContinuousOptions short_drive()
{
    ContinuousOptions options;
    options.seed = 33;
    options.chapters = 3;
    options.chapter_frames = 25;
    options.last_chapter_frames = 12;
    options.picture = PictureFormat{64, 48, 40};
    return options;
}

TEST(ContinuousRecording, ChaptersAreNamedVideoAndFourDigits)
{
    EXPECT_EQ(ContinuousRecording::chapter_name(0), L"Video0001.dmv");
    EXPECT_EQ(ContinuousRecording::chapter_name(60), L"Video0061.dmv");
}

TEST(ContinuousRecording, ChaptersRunAtTenFramesPerSecondAndStartOnTheMinute)
{
    const ContinuousRecording recording(short_drive());
    ASSERT_EQ(recording.chapter_count(), 3);
    uint32_t first_ms = 0;
    for (int c = 0; c < 3; ++c) {
        const WrittenArchive chapter = recording.chapter(c);
        const Bytes& file = chapter.bytes;
        EXPECT_EQ(file[0], 0x00) << "a chapter has no detection instant";
        EXPECT_EQ(be32(file, 8), 0u);
        if (c == 0) {
            first_ms = chapter.first_ms;
        }
        EXPECT_EQ(chapter.first_ms, first_ms + 60000u * static_cast<uint32_t>(c));
        int frames = 0;
        for (const WrittenBlock& block : chapter.blocks) {
            if (block.kind == BlockKind::picture) {
                EXPECT_EQ((block.ms - chapter.first_ms) / 100, static_cast<uint32_t>(block.frame));
                EXPECT_EQ(bcd(file, block.offset + 33, 2), block.frame + 1);
                ++frames;
            }
        }
        EXPECT_EQ(frames, c == 2 ? 12 : 25);
        // The header's date is the chapter's first frame's.
        const WrittenBlock& first = chapter.blocks.at(1);
        EXPECT_EQ(Bytes(file.begin() + 2, file.begin() + 8),
                  Bytes(file.begin() + first.offset + 36, file.begin() + first.offset + 42));
        EXPECT_EQ(bcd(file, 16, 2), bcd(file, first.offset + 46, 2));
    }
}

TEST(ContinuousRecording, CountersAndDistanceRunOnAcrossChapters)
{
    const ContinuousRecording recording(short_drive());
    const WrittenArchive one = recording.chapter(0);
    const WrittenArchive two = recording.chapter(1);
    const WrittenBlock& last = one.blocks[one.blocks.size() - 1].kind == BlockKind::picture
                                   ? one.blocks.back()
                                   : one.blocks[one.blocks.size() - 2];
    const WrittenBlock& next = two.blocks.at(1);
    EXPECT_EQ(next.stamp.counter1, last.stamp.counter1 + 1);
    EXPECT_GE(next.stamp.counter2, last.stamp.counter2);
    EXPECT_EQ(bcd(two.bytes, next.offset + 48, 4), static_cast<int64_t>(next.stamp.counter1 % 100000000));
}

TEST(ContinuousRecording, AChapterIsTheSameWhicheverChapterIsMadeFirst)
{
    const ContinuousRecording a(short_drive());
    const Bytes second = a.chapter(1).bytes;
    const ContinuousRecording b(short_drive());
    b.chapter(2);
    b.chapter(0);
    EXPECT_EQ(b.chapter(1).bytes, second);
    EXPECT_NE(a.chapter(0).bytes, second);
}

} // namespace
