// The chapters of a continuous recording: which files, in which order, how many frames.
#include "recording/ChapterList.h"

#include "base/Exception.h"
#include "platform/FileSystem.h"
#include "base/Text.h"
#include "recording/FolderPath.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "support/ArchiveBuilder.h"
#include "support/TempFolder.h"

namespace {

// A chapter file whose picture blocks lie 100 ms apart: `frames` frames.
Bytes chapter_of(int frames)
{
    ArchiveBuilder builder;
    builder.information_block();
    for (int i = 0; i < frames; ++i) {
        builder.picture(5000 + 100 * i);
    }
    return builder.bytes();
}

std::wstring numbered(const wchar_t* form, int number)
{
    wchar_t name[32];
    std::swprintf(name, 32, form, number);
    return name;
}

class ChapterListing : public ::testing::Test {
protected:
    std::vector<std::wstring> names(const ChapterList& list) const
    {
        std::vector<std::wstring> result;
        for (const std::wstring& path : list.paths) {
            EXPECT_EQ(parent_folder(path), card.path());
            result.push_back(last_path_component(path));
        }
        return result;
    }

    std::wstring failure(const std::wstring& folder) const
    {
        try {
            list_chapter_files(folder);
        } catch (const VideoArchiveException& thrown) {
            return thrown.message();
        }
        return L"(none)";
    }

    TempFolder card;
};

TEST_F(ChapterListing, ChaptersInTheLocalesOrderWithoutTheLookAlikes)
{
    card.write(L"Video0003.dmv", chapter_of(7));
    card.write(L"VIDEO0001.DMV", chapter_of(2));
    card.write(L"video0010.dmv", chapter_of(4)); // the last: its own frame count closes the total
    card.write(L"video0002.dmv", chapter_of(1));
    for (const wchar_t* look_alike : {L"Video001.dmv", L"VideoA001.dmv", L"Clip0001.dmv", L"Video00001.dmv"}) {
        card.write(look_alike, chapter_of(1));
    }
    const ChapterList list = list_chapter_files(card.path());
    EXPECT_EQ(names(list),
              (std::vector<std::wstring>{L"VIDEO0001.DMV", L"video0002.dmv", L"Video0003.dmv", L"video0010.dmv"}));
    EXPECT_FALSE(list.more_than_60);
    EXPECT_EQ(list.total_frames, 3 * 600 + 4);
}

TEST_F(ChapterListing, SixtyChaptersPlayAndTheSixtyFirstIsLeftOut)
{
    // Written last to first, so the search's order is not already the playing order.
    for (int number = 60; number >= 1; --number) {
        card.write(numbered(L"Video%04d.dmv", number), chapter_of(number == 60 ? 9 : 1));
    }
    const ChapterList sixty = list_chapter_files(card.path());
    EXPECT_EQ(sixty.paths.size(), 60u);
    EXPECT_FALSE(sixty.more_than_60);
    card.write(L"Video0061.dmv", chapter_of(5));
    const ChapterList list = list_chapter_files(card.path());
    ASSERT_EQ(list.paths.size(), 60u);
    for (int i = 0; i < 60; ++i) {
        EXPECT_EQ(last_path_component(list.paths[static_cast<size_t>(i)]), numbered(L"Video%04d.dmv", i + 1));
    }
    EXPECT_TRUE(list.more_than_60);
    EXPECT_EQ(list.total_frames, 59 * 600 + 9); // the 60th chapter is the last one played
}

TEST_F(ChapterListing, NoChapterOrAnUnreadableLastOneIsAnArchiveFailure)
{
    const std::wstring unreadable = load_text(texts::data_unreadable);
    EXPECT_EQ(failure(card.path()), unreadable);
    EXPECT_EQ(failure(card.file(L"missing")), unreadable);
    // Files the search finds but that are no chapters.
    card.write(L"VideoA001.dmv", chapter_of(3));
    card.write(L"Video001.dmv", chapter_of(3));
    EXPECT_EQ(failure(card.path()), unreadable);

    card.write(L"Video0001.dmv", chapter_of(37));
    EXPECT_EQ(list_chapter_files(card.path()).total_frames, 37);
    card.write(L"Video0002.dmv", chapter_of(0)); // no picture: no frame of its own
    EXPECT_EQ(list_chapter_files(card.path()).total_frames, 600);
    Bytes short_preamble = ArchiveBuilder().bytes();
    short_preamble.resize(40);
    card.write(L"Video0003.dmv", short_preamble);
    EXPECT_EQ(failure(card.path()), unreadable);
}

} // namespace
