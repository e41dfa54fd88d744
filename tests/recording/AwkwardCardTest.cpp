// The finder on a whole card of awkward layouts written by the sample card writer: hidden
// folders, mixed kinds, renamed chapters, a recording of 61 chapters, an empty neighbour.
#include "samplecard/CardWriter.h"

#include "app/Exception.h"
#include "app/FileSystem.h"
#include "app/Text.h"
#include "recording/ChapterList.h"
#include "recording/DataType.h"
#include "recording/FolderPath.h"
#include "recording/NeighbourRecording.h"
#include "recording/RecordingFolder.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace {

class AwkwardCard : public ::testing::Test {
protected:
    AwkwardCard() { samplecard::write_awkward_card(card.path()); }
    ~AwkwardCard() override { set_current_data_type(data_type_event); }

    std::wstring folder(const wchar_t* group, const wchar_t* name) const
    {
        return join_path(card.file(group), name);
    }

    // select_data_type from `current`: its result and the current type after it.
    std::pair<bool, int> select(int current, const std::wstring& path)
    {
        set_current_data_type(current);
        const bool result = select_data_type(path);
        return {result, current_data_type()};
    }

    // The name of the neighbour, or the message of the failure.
    std::wstring step(const wchar_t* group, const wchar_t* name, bool previous, int type)
    {
        try {
            return last_path_component(neighbour_recording(folder(group, name), previous, type));
        } catch (const Exception& failure) {
            return failure.message();
        }
    }

    TempFolder card;
};

TEST_F(AwkwardCard, KindsChaptersAndNeighbours)
{
    // Kinds.
    EXPECT_EQ(select(data_type_continuous, folder(L"EVENT", L"0003")), std::make_pair(true, 0)); // hidden
    EXPECT_EQ(select(data_type_image, folder(L"EVENT", L"0011")), std::make_pair(false, 1));
    EXPECT_EQ(select(data_type_image, folder(L"MIXED", L"0002")), std::make_pair(false, 1)); // old.DVT
    for (int current : {0, 1, 2}) {
        EXPECT_EQ(select(current, folder(L"MIXED", L"0001")), std::make_pair(true, current));
    }
    EXPECT_EQ(count_matching_files(folder(L"IMAGE", L"0001"), data_file_pattern(data_type_image)), 7);

    // Chapters.
    const ChapterList many = list_chapter_files(folder(L"CONT", L"0002"));
    ASSERT_EQ(many.paths.size(), 60u);
    EXPECT_EQ(last_path_component(many.paths.front()), L"Video0001.dmv");
    EXPECT_EQ(last_path_component(many.paths.back()), L"Video0060.dmv");
    EXPECT_TRUE(many.more_than_60);
    EXPECT_EQ(many.total_frames, 59 * 600 + 3);
    const ChapterList renamed = list_chapter_files(folder(L"CONT", L"0003"));
    ASSERT_EQ(renamed.paths.size(), 3u);
    EXPECT_EQ(last_path_component(renamed.paths[0]), L"VIDEO0001.DMV");
    EXPECT_EQ(last_path_component(renamed.paths[1]), L"video0002.dmv");
    EXPECT_EQ(last_path_component(renamed.paths[2]), L"Video0003.dmv");
    EXPECT_FALSE(renamed.more_than_60);
    EXPECT_EQ(renamed.total_frames, 2 * 600 + 10);
    EXPECT_THROW(list_chapter_files(folder(L"EVENT", L"0001")), VideoArchiveException);

    // Neighbours: 0001, 0002, 0003 (hidden), 0004 (empty), 0010, 0011 (information file only).
    EXPECT_EQ(step(L"EVENT", L"0002", false, data_type_event), L"0003");
    EXPECT_EQ(step(L"EVENT", L"0003", false, data_type_event), load_text(5065));
    EXPECT_EQ(step(L"EVENT", L"0010", true, data_type_event), load_text(5066));
    EXPECT_EQ(step(L"EVENT", L"0010", false, data_type_event), L"0011");
    EXPECT_EQ(step(L"CONT", L"0003", false, data_type_continuous), L"0004"); // hidden
    EXPECT_EQ(step(L"MIXED", L"0001", false, data_type_event), load_text(5065)); // old.DVT is no event
}

} // namespace
