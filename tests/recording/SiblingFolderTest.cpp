// Stepping to the folder before or after the open one: the order and match on their own, then
// on real folders in a fresh temporary folder.
#include "recording/SiblingFolder.h"

#include "base/Exception.h"
#include "platform/FileSystem.h"
#include "platform/SiblingFolders.h"
#include "base/Text.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/TempFolder.h"

namespace {

using Names = std::vector<std::wstring>;

// The message of the Exception that `step` throws, "(missing)" for DataMissingException, or
// what it returned.
std::wstring outcome(const std::function<std::wstring()>& step)
{
    try {
        return step();
    } catch (const Exception& failure) {
        return failure.message();
    } catch (const DataMissingException&) {
        return L"(missing)";
    }
}

TEST(SiblingOrder, ByNameWithoutCaseAndStable)
{
    Names names = {L"0010", L"REC", L"0002", L"rec", L"b", L"A", L"Rec", L"0001"};
    order_sibling_names(names);
    // The three spellings of "rec" keep the order in which they were listed.
    EXPECT_EQ(names, (Names{L"0001", L"0002", L"0010", L"A", L"b", L"REC", L"rec", L"Rec"}));
    Names reversed = {L"Rec", L"rec", L"REC"};
    order_sibling_names(reversed);
    EXPECT_EQ(reversed, (Names{L"Rec", L"rec", L"REC"}));
}

TEST(SiblingOrder, NeighbourOfTheExactName)
{
    const Names names = {L"0001", L"REC", L"rec", L"Rec2"};
    EXPECT_EQ(neighbour_name(names, L"0001", false), L"REC");
    EXPECT_EQ(neighbour_name(names, L"REC", false), L"rec");
    EXPECT_EQ(neighbour_name(names, L"rec", false), L"Rec2");
    EXPECT_EQ(neighbour_name(names, L"rec", true), L"REC");
    EXPECT_EQ(neighbour_name(names, L"Rec2", true), L"rec");
    EXPECT_EQ(outcome([&] { return neighbour_name(names, L"0001", true); }), load_text(texts::no_previous_recording));
    EXPECT_EQ(outcome([&] { return neighbour_name(names, L"Rec2", false); }), load_text(texts::no_next_recording));
    EXPECT_EQ(outcome([&] { return neighbour_name(names, L"rEc", false); }), load_text(texts::folder_position_unknown));
    EXPECT_EQ(outcome([&] { return neighbour_name(Names{}, L"0001", false); }), load_text(texts::folder_position_unknown));
    // The first of two equal names is the one that counts.
    EXPECT_EQ(neighbour_name(Names{L"a", L"x", L"b", L"x", L"c"}, L"x", false), L"b");
}

class SiblingFolder : public ::testing::Test {
protected:
    SiblingFolder() : parent(card.path() + path_separator) {}

    std::wstring folder(const std::wstring& name)
    {
        make_folder(card.file(name));
        return card.file(name);
    }

    std::wstring step(const std::wstring& name, bool previous)
    {
        return outcome([&] { return sibling_folder(card.file(name), previous); });
    }

    TempFolder card;
    const std::wstring parent;
};

TEST_F(SiblingFolder, StepsThroughTheFoldersInNameOrder)
{
    const std::wstring japanese = L"\u8a18\u9332"; // sorts after digits and letters
    for (const std::wstring& name : {japanese, std::wstring(L"0002"), std::wstring(L"0010"), std::wstring(L"0001")}) {
        folder(name);
    }
    card.write(L"0003", {1}); // a file is no neighbour
    EXPECT_EQ(step(L"0001", false), parent + L"0002");
    EXPECT_EQ(step(L"0002", false), parent + L"0010");
    EXPECT_EQ(step(L"0010", false), parent + japanese);
    EXPECT_EQ(step(japanese, true), parent + L"0010");
    EXPECT_EQ(step(L"0002", true), parent + L"0001");
    EXPECT_EQ(step(L"0001", true), load_text(texts::no_previous_recording));
    EXPECT_EQ(step(japanese, false), load_text(texts::no_next_recording));
    // The open folder named with a trailing separator is the same folder.
    EXPECT_EQ(outcome([&] { return sibling_folder(card.file(L"0002") + path_separator, false); }), parent + L"0010");
}

TEST_F(SiblingFolder, HiddenFoldersAreNeighboursToo)
{
    folder(L"0001");
    ASSERT_TRUE(set_file_attributes(folder(L"0002"), file_hidden));
    folder(L"0003");
    EXPECT_EQ(step(L"0001", false), parent + L"0002");
    EXPECT_EQ(step(L"0003", true), parent + L"0002");
    EXPECT_EQ(step(L"0002", false), parent + L"0003");
}

TEST_F(SiblingFolder, AnOnlyChildHasNoNeighbour)
{
    folder(L"0001");
    card.write(L"0002", {1});
    EXPECT_EQ(step(L"0001", false), load_text(texts::no_next_recording));
    EXPECT_EQ(step(L"0001", true), load_text(texts::no_previous_recording));
}

TEST_F(SiblingFolder, AFolderRenamedOrGoneIsMissing)
{
    folder(L"0001");
    folder(L"0002");
    rename_path(card.file(L"0001"), card.file(L"0005"));
    EXPECT_EQ(step(L"0001", false), L"(missing)");
    EXPECT_EQ(step(L"0001", true), L"(missing)");
    EXPECT_EQ(outcome([&] { return sibling_folder(join_path(card.file(L"gone"), L"0001"), false); }), L"(missing)");
    EXPECT_EQ(step(L"0002", false), parent + L"0005");
}

TEST_F(SiblingFolder, NamesDifferingOnlyInCaseKeepTheSystemsOrder)
{
    folder(L"rec");
    folder(L"Rec2");
    if (!file_attributes(card.file(L"REC"))) {
        folder(L"REC"); // only where the file system keeps the two apart
    }
    Names listed = list_sibling_folders(card.file(L"rec"), parent);
    order_sibling_names(listed);
    ASSERT_EQ(listed.back(), L"Rec2");
    // Each spelling is found by its exact name: the first one listed steps to the second.
    EXPECT_EQ(step(listed.front(), false), parent + listed[1]);
    EXPECT_EQ(step(L"Rec2", true), parent + listed[listed.size() - 2]);
    if (listed.size() == 3) {
        EXPECT_EQ(step(listed[1], false), parent + L"Rec2");
        EXPECT_EQ(step(listed[1], true), parent + listed[0]);
    }
}

} // namespace
