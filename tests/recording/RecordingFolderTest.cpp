// Which kind a folder holds: real folders in a fresh temporary folder. Only the names count.
#include "recording/RecordingFolder.h"

#include "platform/FileSystem.h"
#include "base/Text.h"
#include "recording/DataType.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace {

class RecordingFolder : public ::testing::Test {
protected:
    ~RecordingFolder() override { set_current_data_type(data_type_event); }

    // A folder named `name` holding empty files of these names.
    std::wstring folder_with(const std::wstring& name, std::initializer_list<const wchar_t*> files)
    {
        const std::wstring path = card.file(name);
        make_folder(path);
        for (const wchar_t* file : files) {
            write_bytes(join_path(path, file), {0});
        }
        return path;
    }

    // select_data_type from `current`: its result and the current type after it.
    std::pair<bool, int> select_from(int current, const std::wstring& folder)
    {
        set_current_data_type(current);
        const bool result = select_data_type(folder);
        return {result, current_data_type()};
    }

    TempFolder card;
};

TEST_F(RecordingFolder, PatternsAndModeTextsOfEachKind)
{
    EXPECT_EQ(data_file_pattern(data_type_event), L"Video.dvt");
    EXPECT_EQ(data_file_pattern(data_type_image), L"*.dpc");
    EXPECT_EQ(data_file_pattern(data_type_continuous), L"Video????.dmv");
    EXPECT_EQ(data_file_pattern(3), L"Video.dvt");
    EXPECT_EQ(data_file_pattern(-1), L"Video.dvt");
    EXPECT_EQ(mode_text(data_type_event), load_text(texts::mode_event));
    EXPECT_EQ(mode_text(data_type_image), load_text(texts::mode_image));
    EXPECT_EQ(mode_text(data_type_continuous), load_text(texts::mode_continuous));
    EXPECT_EQ(mode_text(7), load_text(texts::mode_event));
}

TEST_F(RecordingFolder, CountsOnlyWhatTheSearchFindsAndThePatternAccepts)
{
    const std::wstring folder = folder_with(L"a", {L"VIDEO0001.DMV", L"video0002.dmv", L"Video001.dmv", L"VideoA001.dmv",
                                                   L"Clip0001.dmv", L"Video00001.dmv", L"1-001.dpc", L"1-002.DPC",
                                                   L"x.dpcx", L"old.DVT", L"VideoInf.dat"});
    EXPECT_EQ(count_matching_files(folder, L"Video????.dmv"), 2);
    EXPECT_EQ(count_matching_files(folder, L"*.dpc"), 2);
    // The search looks for the event file by name: old.DVT has the extension but another name.
    EXPECT_EQ(count_matching_files(folder, L"Video.dvt"), 0);
    EXPECT_EQ(count_matching_files(folder, L"VideoInf.dat"), 1);
    make_folder(join_path(folder, L"Video.dvt")); // a folder of that name counts like a file
    EXPECT_EQ(count_matching_files(folder, L"Video.dvt"), 1);
    EXPECT_EQ(count_matching_files(card.file(L"missing"), L"*.dpc"), 0);
    EXPECT_EQ(count_matching_files(folder + path_separator + std::wstring(260, L'x'), L"*.dpc"), 0);
}

TEST_F(RecordingFolder, OneKindAloneBecomesCurrent)
{
    const std::wstring chapter = folder_with(L"cont", {L"VIDEO0001.DMV"});
    const std::wstring pictures = folder_with(L"image", {L"1-001.dpc", L"1-002.dpc"});
    const std::wstring event = folder_with(L"event", {L"Video.dvt", L"VideoInf.dat"});
    for (int current : {0, 1, 2}) {
        EXPECT_EQ(select_from(current, chapter), std::make_pair(true, 2)) << current;
        EXPECT_EQ(select_from(current, pictures), std::make_pair(true, 1)) << current;
        EXPECT_EQ(select_from(current, event), std::make_pair(true, 0)) << current;
    }
}

TEST_F(RecordingFolder, NothingOfAnyKindChangesNothing)
{
    const std::wstring look_alikes = folder_with(L"none", {L"Video001.dmv", L"VideoA001.dmv", L"Clip0001.dmv",
                                                           L"old.DVT", L"VideoInf.dat"});
    const std::wstring empty = folder_with(L"empty", {});
    for (int current : {0, 1, 2}) {
        EXPECT_EQ(select_from(current, look_alikes), std::make_pair(false, current)) << current;
        EXPECT_EQ(select_from(current, empty), std::make_pair(false, current)) << current;
        EXPECT_EQ(select_from(current, card.file(L"missing")), std::make_pair(false, current)) << current;
    }
}

TEST_F(RecordingFolder, SeveralKindsLeaveTheChoiceToTheCurrentType)
{
    const std::wstring event_and_images = folder_with(L"two", {L"Video.dvt", L"1-001.dpc"});
    EXPECT_EQ(select_from(data_type_continuous, event_and_images), std::make_pair(false, 2));
    EXPECT_EQ(select_from(data_type_image, event_and_images), std::make_pair(true, 1));
    EXPECT_EQ(select_from(data_type_event, event_and_images), std::make_pair(true, 0));

    const std::wstring all = folder_with(L"three", {L"Video.dvt", L"1-001.dpc", L"Video0001.dmv"});
    for (int current : {0, 1, 2}) {
        EXPECT_EQ(select_from(current, all), std::make_pair(true, current)) << current;
    }
    // A current value outside the three stands for the event kind, as its pattern does.
    const std::wstring images_and_chapters = folder_with(L"pair", {L"1-001.dpc", L"Video0001.dmv"});
    EXPECT_EQ(select_from(5, images_and_chapters), std::make_pair(false, 5));
    EXPECT_EQ(select_from(5, all), std::make_pair(true, 5));
}

} // namespace
