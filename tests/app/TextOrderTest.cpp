// The same expectations hold for the system's comparison (Windows) and the host's stand-in, so
// chapter files and folders come out in the same order in both builds.
#include "app/TextOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

int sign(int value) { return (value > 0) - (value < 0); }

struct Pair {
    const wchar_t* a;
    const wchar_t* b;
    int with_case;    // compare_text(a, b)
    int without_case; // compare_text_without_case(a, b)
};

TEST(TextOrder, CaseOnlyDecidesBetweenOtherwiseEqualTexts)
{
    const Pair pairs[] = {
        {L"a", L"A", -1, 0},
        {L"A", L"b", -1, -1},
        {L"Rec", L"rec", 1, 0},
        {L"VIDEO0001.DMV", L"Video0001.dmv", 1, 0},
        {L"VIDEO0001.DMV", L"video0002.dmv", -1, -1},
        {L"video0002.dmv", L"Video0003.dmv", -1, -1},
        {L"ab", L"abc", -1, -1},
        {L"abc", L"abc", 0, 0},
    };
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(::testing::Message() << "pair " << (&pair - pairs));
        EXPECT_EQ(sign(compare_text(pair.a, pair.b)), pair.with_case);
        EXPECT_EQ(sign(compare_text(pair.b, pair.a)), -pair.with_case);
        EXPECT_EQ(sign(compare_text_without_case(pair.a, pair.b)), pair.without_case);
        EXPECT_EQ(sign(compare_text_without_case(pair.b, pair.a)), -pair.without_case);
    }
}

TEST(TextOrder, PunctuationBeforeDigitsBeforeLetters)
{
    const Pair pairs[] = {
        {L"_a", L"0", -1, -1},
        {L"0", L"a", -1, -1},
        {L"a_", L"a0", -1, -1},
        {L"a.b", L"a0", -1, -1},
        {L"x\\a", L"x0", -1, -1},
        {L"x/a", L"x0", -1, -1},
        {L"a b", L"a-b", -1, -1},
        {L"0010", L"0002", 1, 1},
        {L"\u3042", L"z", 1, 1},
    };
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(::testing::Message() << "pair " << (&pair - pairs));
        EXPECT_EQ(sign(compare_text(pair.a, pair.b)), pair.with_case);
        EXPECT_EQ(sign(compare_text_without_case(pair.a, pair.b)), pair.without_case);
    }
}

TEST(TextOrder, HyphensCountOnlyBetweenOtherwiseEqualTexts)
{
    EXPECT_GT(compare_text(L"a-b", L"ab"), 0);
    EXPECT_GT(compare_text_without_case(L"a-b", L"AB"), 0);
    EXPECT_LT(compare_text(L"a-b", L"ac"), 0); // an ordinal comparison would agree here only by chance
    EXPECT_LT(compare_text(L"co-op", L"coop1"), 0);
}

TEST(TextOrder, SortsChapterNamesByTheirNumberWhateverTheirCase)
{
    std::vector<std::wstring> names = {L"video0010.dmv", L"VIDEO0002.DMV", L"Video0001.dmv", L"video0003.DMV"};
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return compare_text(a, b) < 0; });
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Video0001.dmv", L"VIDEO0002.DMV", L"video0003.DMV", L"video0010.dmv"}));
}

} // namespace
