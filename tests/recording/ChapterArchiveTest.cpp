// Chapter files: the frame clock at 10 frames per second, the chapter table and counting the
// frames of a chapter without loading it.
#include "ArchiveFixture.h"

namespace {

using ChapterArchive = ArchiveFixture;

ArchiveBuilder chapter_with(const std::vector<std::pair<int32_t, int>>& ms_and_speed, const HeaderFields& header = {})
{
    ArchiveBuilder builder(header);
    builder.information_block();
    for (const auto& [ms, speed] : ms_and_speed) {
        BlockFields fields;
        fields.ms = ms;
        fields.speed = speed;
        builder.picture(fields, masked_payload(24));
    }
    return builder;
}

TEST_F(ChapterArchive, SlotsAreTenthsOfASecond)
{
    load_chapter(chapter_with({{500, 1}, {599, 2}, {600, 3}, {750, 4}}).bytes());
    ASSERT_EQ(archive.frame_count(), 3);
    EXPECT_EQ(archive.frame_record(0)->speed, 1);
    EXPECT_EQ(archive.frame_record(1)->speed, 3);
    EXPECT_EQ(archive.frame_record(2)->speed, 4);
}

TEST_F(ChapterArchive, ChaptersHaveNoDetectionInstant)
{
    HeaderFields header;
    header.kind = 0x10;
    header.detection_ms = 600;
    load_chapter(chapter_with({{500, 1}, {600, 2}}, header).bytes());
    EXPECT_EQ(archive.kind_code(), 1);
    EXPECT_EQ(archive.detection_index(), -1);
    EXPECT_EQ(archive.frame_record(1)->marker, 0);
}

TEST_F(ChapterArchive, TheTimeIndexCarriesTheSpeedAndFillsTheChaptersRow)
{
    archive.set_chapter_number(5);
    load_chapter(chapter_with({{500, 10}, {600, 20}, {800, 40}}).bytes());
    const int expected[4][3] = {{500, 0, 10}, {600, 1, 20}, {600, 2, 20}, {800, 3, 40}};
    ASSERT_EQ(archive.time_index().size(), 4u);
    const TimeIndexEntry* row = archive.chapter_row(5);
    ASSERT_NE(row, nullptr);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(archive.time_index()[i].ms, expected[i][0]);
        EXPECT_EQ(archive.time_index()[i].slot, expected[i][1]);
        EXPECT_EQ(archive.time_index()[i].third, expected[i][2]);
        EXPECT_EQ(row[i].ms, expected[i][0]);
        EXPECT_EQ(row[i].slot, expected[i][1]);
        EXPECT_EQ(row[i].third, expected[i][2]);
    }
    EXPECT_EQ(row[4].ms, 0);
    EXPECT_EQ(archive.chapter_row(4)[0].ms, 0);
    EXPECT_EQ(archive.chapter_row(600), nullptr);
    EXPECT_EQ(archive.chapter_row(-1), nullptr);

    // Another chapter's load and a reset leave the row.
    archive.set_chapter_number(6);
    load_chapter(chapter_with({{100, 7}}).bytes());
    archive.reset();
    EXPECT_EQ(archive.chapter_row(5)[3].ms, 800);
    EXPECT_EQ(archive.chapter_row(6)[0].third, 7);
}

TEST_F(ChapterArchive, AReloadedChapterLeavesNothingOfTheOldRow)
{
    archive.set_chapter_number(2);
    load_chapter(chapter_with({{500, 10}, {800, 40}}).bytes());
    load_chapter(chapter_with({{500, 11}}).bytes());
    EXPECT_EQ(archive.chapter_row(2)[0].third, 11);
    EXPECT_EQ(archive.chapter_row(2)[1].ms, 0);
}

TEST_F(ChapterArchive, ARowHoldsTheFirst600EntriesOfALongChapter)
{
    std::vector<std::pair<int32_t, int>> frames;
    for (int i = 0; i < 900; ++i) {
        frames.emplace_back(1000 + i * 100, i % 180);
    }
    archive.set_chapter_number(599);
    load_chapter(chapter_with(frames).bytes());
    EXPECT_EQ(archive.frame_count(), 900);
    EXPECT_EQ(archive.time_index().size(), 900u);
    EXPECT_EQ(archive.chapter_row(599)[599].slot, 599);
    EXPECT_EQ(archive.chapter_row(599)[599].third, 599 % 180);
    // A chapter number without a row loads without touching the table.
    archive.set_chapter_number(600);
    EXPECT_NO_THROW(load_chapter(chapter_with(frames).bytes()));
    EXPECT_EQ(archive.frame_count(), 900);
}

TEST_F(ChapterArchive, CountingAgreesWithLoading)
{
    const ArchiveBuilder builder = chapter_with({{500, 1}, {600, 2}, {1450, 3}});
    const std::wstring path = folder.write(L"Video0003.dmv", builder.bytes());
    archive.load_chapter(path);
    EXPECT_EQ(VideoArchive::count_chapter_frames(path), archive.frame_count());
    EXPECT_EQ(archive.frame_count(), 10);
}

TEST_F(ChapterArchive, CountingIgnoresSoundModelCodeAndFramesBeyond899)
{
    ArchiveBuilder builder;
    builder.information_block(0x7F, 0x7F).sound(0, Bytes(20, 1)).picture(1000).picture(51000);
    builder.picture(90999).picture(91000).sound(99999, Bytes(20, 1));
    const std::wstring path = folder.write(L"Video0004.dmv", builder.bytes());
    EXPECT_EQ(VideoArchive::count_chapter_frames(path), 900);
    EXPECT_EQ(archive_failure([&] { archive.load_chapter(path); }), L"該当データを読み込めません。");
}

TEST_F(ChapterArchive, CountingEmptyAndBrokenFiles)
{
    EXPECT_EQ(VideoArchive::count_chapter_frames(folder.write(L"a.dmv", ArchiveBuilder().bytes())), 0);
    EXPECT_EQ(VideoArchive::count_chapter_frames(
                  folder.write(L"b.dmv", ArchiveBuilder().information_block().bytes())),
              0);
    Bytes short_preamble = ArchiveBuilder().bytes();
    short_preamble.resize(47);
    const std::wstring unreadable = L"該当データを読み込めません。";
    EXPECT_EQ(archive_failure([&] { VideoArchive::count_chapter_frames(folder.write(L"c.dmv", short_preamble)); }),
              unreadable);
    EXPECT_EQ(archive_failure([&] { VideoArchive::count_chapter_frames(folder.file(L"none.dmv")); }), unreadable);
}

} // namespace
