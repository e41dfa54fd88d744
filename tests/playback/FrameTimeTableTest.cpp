// The per-frame table of recorded times and speeds that the stopwatch reads.
#include "playback/FrameTimeTable.h"

#include "recording/VideoArchive.h"
#include "support/ArchiveBuilder.h"
#include "support/TempFolder.h"
#include "support/TestZone.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameTimeTable, GlobalFramesCountSixHundredToAChapter)
{
    FrameTimeTable table;
    table.store_chapter(0, {{1000, 10}, {1100, 11}});
    table.store_chapter(2, {{121000, 30}, {121100, 31}, {121200, 32}});
    EXPECT_EQ(table.time(1), 1100);
    EXPECT_EQ(table.speed(1), 11);
    EXPECT_EQ(table.time(1202), 121200);
    EXPECT_EQ(table.speed(1200), 30);
    EXPECT_EQ(FrameTimeTable::chapter_of(1202), 2);
    EXPECT_EQ(FrameTimeTable::index_in_chapter(1202), 2);
    // Chapter 1 was never stored, and nothing lies outside the 60 chapters.
    EXPECT_EQ(table.time(600), 0);
    EXPECT_EQ(table.time(-1), 0);
    EXPECT_EQ(table.time(60 * 600), 0);
    EXPECT_EQ(table.speed(60 * 600), 0);
}

TEST(FrameTimeTable, ValidFramesEndBeforeTheFirstZeroTime)
{
    FrameTimeTable table;
    table.store_chapter(1, {{500, 1}, {600, 2}, {0, 3}, {800, 4}});
    EXPECT_EQ(table.valid_frames(1), 2);
    EXPECT_EQ(table.valid_frames(0), 0);
    EXPECT_EQ(table.valid_frames(60), 0);
    std::vector<FrameTime> full(700, FrameTime{100, 5}); // a row holds 600 frames
    table.store_chapter(3, full);
    EXPECT_EQ(table.valid_frames(3), 600);
    EXPECT_EQ(table.time(4 * 600), 0);
}

TEST(FrameTimeTable, StoringAChapterAgainReplacesItsWholeRowAndClearForgetsAll)
{
    FrameTimeTable table;
    table.store_chapter(0, {{500, 1}, {600, 2}, {700, 3}});
    table.store_chapter(0, {{900, 9}});
    EXPECT_EQ(table.valid_frames(0), 1);
    EXPECT_EQ(table.time(1), 0);
    table.store_chapter(59, {{900, 9}});
    table.store_chapter(60, {{900, 9}}); // no such chapter: ignored
    table.store_chapter(-1, {{900, 9}});
    EXPECT_EQ(table.time(59 * 600), 900);
    table.clear();
    EXPECT_EQ(table.time(0), 0);
    EXPECT_EQ(table.time(59 * 600), 0);
}

TEST(FrameTimeTable, AChapterFileGivesOneEntryPerShownFrameGapsFilledFromTheFrameBefore)
{
    use_recorder_time_zone();
    ArchiveBuilder builder;
    builder.information_block();
    // Frames at 0.0 s, 0.1 s and 0.4 s: the two missing frames show the one at 0.1 s.
    for (const auto& [ms, speed] : {std::pair{5000, 40}, {5100, 41}, {5400, 44}}) {
        BlockFields fields;
        fields.ms = ms;
        fields.speed = speed;
        builder.picture(fields, masked_payload(24));
    }
    TempFolder folder;
    VideoArchive archive;
    archive.load_chapter(folder.write(L"Video0001.dmv", builder.bytes()));
    FrameTimeTable table;
    table.store_chapter(4, archive);
    ASSERT_EQ(table.valid_frames(4), 5);
    const int times[] = {5000, 5100, 5100, 5100, 5400};
    const int speeds[] = {40, 41, 41, 41, 44};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(table.time(4 * 600 + i), times[i]) << i;
        EXPECT_EQ(table.speed(4 * 600 + i), speeds[i]) << i;
    }
}

} // namespace
