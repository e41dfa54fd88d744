#include "recording/FolderPath.h"

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A path written with '|' for the system's separator.
std::wstring path(std::wstring text)
{
    std::replace(text.begin(), text.end(), L'|', path_separator);
    return text;
}

TEST(FolderPath, ParentDropsTheLastPartAndItsSeparators)
{
    EXPECT_EQ(parent_folder(path(L"E:|DATA|0001|")), path(L"E:|DATA"));
    EXPECT_EQ(parent_folder(path(L"E:|DATA|0001")), path(L"E:|DATA"));
    EXPECT_EQ(parent_folder(path(L"E:|DATA|||0001||")), path(L"E:|DATA"));
    EXPECT_EQ(parent_folder(path(L"E:|0001")), L"E:");
    EXPECT_EQ(parent_folder(path(L"|0001")), L"");
    // Without a separator the path stays, less its trailing separators.
    EXPECT_EQ(parent_folder(path(L"E:|")), L"E:");
    EXPECT_EQ(parent_folder(L"0001"), L"0001");
    EXPECT_EQ(parent_folder(path(L"|||")), L"");
    EXPECT_EQ(parent_folder(L""), L"");
}

TEST(FolderPath, ParentLooksAtThe259CharactersAPathCanHave)
{
    const std::wstring folder = path(L"E:|") + std::wstring(250, L'a');
    EXPECT_EQ(parent_folder(folder + path(L"|0001")), folder); // 258 characters in all
    EXPECT_EQ(parent_folder(folder + path(L"|00012")), folder);
    // The part beyond 259 characters is never seen: its separator does not count.
    EXPECT_EQ(parent_folder(folder + path(L"|000123|x")), folder);
}

TEST(FolderPath, LastComponentIsTheFolderNameWithoutSeparators)
{
    EXPECT_EQ(last_path_component(path(L"E:|DATA|0001")), L"0001");
    EXPECT_EQ(last_path_component(path(L"E:|DATA|0001|")), L"0001");
    EXPECT_EQ(last_path_component(path(L"E:|DATA|0001|||")), L"0001");
    EXPECT_EQ(last_path_component(L"0001"), L"0001");
    EXPECT_EQ(last_path_component(path(L"|0001")), L"0001");
    EXPECT_EQ(last_path_component(path(L"E:|")), L"E:");
    EXPECT_EQ(last_path_component(path(L"||")), L"");
    EXPECT_EQ(last_path_component(L""), L"");
    // The other system's separator is part of a name.
    const wchar_t other = path_separator == L'/' ? L'\\' : L'/';
    EXPECT_EQ(last_path_component(path(L"E:|a") + other + L"b"), std::wstring(L"a") + other + L"b");
}

TEST(FolderPath, LastComponentKeepsAtMost258Characters)
{
    const std::wstring long_name(300, L'n');
    EXPECT_EQ(last_path_component(path(L"E:|") + long_name), std::wstring(258, L'n'));
    EXPECT_EQ(last_path_component(path(L"E:|") + std::wstring(258, L'm') + path(L"|")), std::wstring(258, L'm'));
}

} // namespace
