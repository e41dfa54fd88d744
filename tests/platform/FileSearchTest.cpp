#include "platform/FileSearch.h"
#include "base/Wildcard.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/TempFolder.h"

namespace {

TEST(Wildcard, StarAndQuestionMarkWithoutRegardToCase)
{
    EXPECT_TRUE(wildcard_match(L"*.dpc", L"0001.dpc"));
    EXPECT_TRUE(wildcard_match(L"*.dpc", L"A.DPC"));
    EXPECT_TRUE(wildcard_match(L"*.dpc", L".dpc"));
    EXPECT_FALSE(wildcard_match(L"*.dpc", L"0001.dpcx"));
    EXPECT_FALSE(wildcard_match(L"*.dpc", L"0001.dp"));
    EXPECT_TRUE(wildcard_match(L"Video????.dmv", L"video0001.DMV"));
    EXPECT_FALSE(wildcard_match(L"Video????.dmv", L"Video001.dmv"));
    EXPECT_TRUE(wildcard_match(L"Video.dvt", L"VIDEO.DVT"));
    EXPECT_FALSE(wildcard_match(L"Video.dvt", L"Video.dvt2"));
    EXPECT_TRUE(wildcard_match(L"*a*b*", L"xxaYYbzz"));
    EXPECT_TRUE(wildcard_match(L"*a*b", L"aab_ab"));
    EXPECT_FALSE(wildcard_match(L"*a*b", L"aab_ac"));
    EXPECT_TRUE(wildcard_match(L"*", L""));
    EXPECT_FALSE(wildcard_match(L"?", L""));
}

TEST(FileSearch, ListsTheMatchingNamesOfAFolder)
{
    TempFolder folder;
    for (const wchar_t* name : {L"b.dpc", L"A.DPC", L"c.dpcx", L"d.jpg", L"Video.dvt"}) {
        folder.write(name, {1, 2, 3});
    }
    std::vector<std::wstring> names = find_files(folder.path(), L"*.dpc");
    std::sort(names.begin(), names.end());
    // Windows also matches "c.dpcx" through its short name C~1.DPC; the host search does not.
    std::vector<std::wstring> expected = {L"A.DPC", L"b.dpc"};
#ifdef _WIN32
    if (names.size() == 3) {
        expected.push_back(L"c.dpcx");
    }
#endif
    EXPECT_EQ(names, expected);
    EXPECT_EQ(find_files(folder.path(), L"video.DVT"), (std::vector<std::wstring>{L"Video.dvt"}));
    EXPECT_TRUE(find_files(folder.path(), L"*.dmv").empty());
    EXPECT_TRUE(find_files(folder.file(L"missing"), L"*.dpc").empty());
    // A search text longer than a path may be finds nothing.
    EXPECT_TRUE(find_files(folder.path(), std::wstring(300, L'?')).empty());
    EXPECT_EQ(join_path(folder.path(), L"b.dpc"), folder.file(L"b.dpc"));
}

} // namespace
