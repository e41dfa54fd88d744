// The system's list of the folders beside an open one: real folders in a fresh temporary folder.
#include "app/Exception.h"
#include "app/FileSystem.h"
#include "app/SiblingFolders.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/TempFolder.h"

namespace {

std::vector<std::wstring> sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SiblingFolders, ListsEveryFolderHiddenOnesIncludedButNoFiles)
{
    TempFolder card;
    for (const wchar_t* name : {L"0002", L"0010", L"0001", L".0004"}) {
        make_folder(card.file(name));
    }
    // Windows hides by attribute, the host by a leading dot; either way it is listed.
    ASSERT_TRUE(set_file_attributes(card.file(L"0010"), file_hidden));
    card.write(L"0003", {1});
    card.write(L"Video.dvt", {1});
    const std::wstring parent = card.path() + path_separator;
    EXPECT_EQ(sorted(list_sibling_folders(card.file(L"0001"), parent)),
              (std::vector<std::wstring>{L".0004", L"0001", L"0002", L"0010"}));
    // Asked for from a hidden folder, and with the parent named without its separator.
    EXPECT_EQ(list_sibling_folders(card.file(L"0010"), card.path()).size(), 4u);
}

TEST(SiblingFolders, AFolderThatIsGoneIsReportedAsMissing)
{
    TempFolder card;
    make_folder(card.file(L"0001"));
    make_folder(card.file(L"0002"));
    const std::wstring parent = card.path() + path_separator;
    EXPECT_THROW(list_sibling_folders(card.file(L"0003"), parent), DataMissingException);
    EXPECT_THROW(list_sibling_folders(join_path(card.file(L"gone"), L"0001"), card.file(L"gone") + path_separator),
                 DataMissingException);
    rename_path(card.file(L"0001"), card.file(L"0003"));
    EXPECT_THROW(list_sibling_folders(card.file(L"0001"), parent), DataMissingException);
    EXPECT_EQ(sorted(list_sibling_folders(card.file(L"0003"), parent)), (std::vector<std::wstring>{L"0002", L"0003"}));
}

TEST(SiblingFolders, NamesOutsideAsciiComeBackWhole)
{
    TempFolder card;
    make_folder(card.file(L"\u8a18\u9332"));
    make_folder(card.file(L"0001"));
    EXPECT_EQ(sorted(list_sibling_folders(card.file(L"0001"), card.path() + path_separator)),
              (std::vector<std::wstring>{L"0001", L"\u8a18\u9332"}));
}

} // namespace
