// The previous/next step as the main window takes it: the neighbour must hold recordings.
#include "recording/NeighbourRecording.h"

#include "base/Exception.h"
#include "platform/FileSystem.h"
#include "base/Text.h"
#include "recording/DataType.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace {

class NeighbourRecording : public ::testing::Test {
protected:
    NeighbourRecording() : parent(card.path() + path_separator) {}

    void folder(const std::wstring& name, std::initializer_list<const wchar_t*> files)
    {
        make_folder(card.file(name));
        for (const wchar_t* file : files) {
            write_bytes(join_path(card.file(name), file), {0});
        }
    }

    // The neighbour's path, the failure's message, or "(missing)"; a failure must be an
    // IOException.
    std::wstring step(const std::wstring& name, bool previous, int type)
    {
        try {
            return neighbour_recording(card.file(name), previous, type);
        } catch (const IOException& failure) {
            return failure.message();
        } catch (const Exception& failure) {
            return L"(not an IOException) " + failure.message();
        } catch (const DataMissingException&) {
            return L"(missing)";
        }
    }

    TempFolder card;
    const std::wstring parent;
    const std::wstring no_next = load_text(texts::no_next_recording);
    const std::wstring no_previous = load_text(texts::no_previous_recording);
};

TEST_F(NeighbourRecording, EventNeighboursNeedTheEventOrItsInformationFile)
{
    folder(L"0001", {L"Video.dvt", L"VideoInf.dat"});
    folder(L"0002", {L"VideoInf.dat"});
    folder(L"0003", {L"video.DVT"});
    folder(L"0004", {L"old.DVT", L"1-001.dpc", L"Video0001.dmv"});
    folder(L"0005", {L"Video.dvt"});
    EXPECT_EQ(step(L"0001", false, data_type_event), parent + L"0002");
    EXPECT_EQ(step(L"0002", false, data_type_event), parent + L"0003");
    EXPECT_EQ(step(L"0003", true, data_type_event), parent + L"0002");
    // 0004 holds no event: the step ends there, 0005 is not looked at.
    EXPECT_EQ(step(L"0003", false, data_type_event), no_next);
    EXPECT_EQ(step(L"0005", true, data_type_event), no_previous);
    EXPECT_EQ(step(L"0005", false, data_type_event), no_next);
    EXPECT_EQ(step(L"0001", true, data_type_event), no_previous);
}

TEST_F(NeighbourRecording, ContinuousNeighboursNeedAChapter)
{
    folder(L"0001", {L"Video0001.dmv"});
    folder(L"0002", {L"VIDEO0007.DMV"});
    folder(L"0003", {L"Video001.dmv", L"VideoA001.dmv", L"Video.dvt", L"VideoInf.dat"});
    folder(L"0004", {L"Video0001.dmv", L"Video0002.dmv"});
    EXPECT_EQ(step(L"0001", false, data_type_continuous), parent + L"0002");
    EXPECT_EQ(step(L"0002", true, data_type_continuous), parent + L"0001");
    EXPECT_EQ(step(L"0002", false, data_type_continuous), no_next);
    EXPECT_EQ(step(L"0004", true, data_type_continuous), no_previous);
    // The same folders seen in event and image mode.
    EXPECT_EQ(step(L"0002", false, data_type_event), parent + L"0003");
    EXPECT_EQ(step(L"0004", true, data_type_image), parent + L"0003");
    EXPECT_EQ(step(L"0003", false, data_type_image), no_next);
}

TEST_F(NeighbourRecording, EveryFailureIsNoNeighbourButAVanishedFolderIsMissing)
{
    folder(L"0001", {L"Video.dvt"});
    card.write(L"file", {1});
    EXPECT_EQ(step(L"file", false, data_type_event), no_next); // not among the folders
    EXPECT_EQ(step(L"file", true, data_type_event), no_previous);
    EXPECT_EQ(step(L"0001", false, data_type_event), no_next); // the only folder
    rename_path(card.file(L"0001"), card.file(L"0002"));
    EXPECT_EQ(step(L"0001", true, data_type_event), L"(missing)");
    EXPECT_EQ(step(L"0001", false, data_type_continuous), L"(missing)");
}

} // namespace
