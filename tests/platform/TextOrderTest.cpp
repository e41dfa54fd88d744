// The same expectations hold for the system's comparison (Windows) and the host's stand-in, so
// chapter files and folders come out in the same order in both builds.
#include "platform/TextOrder.h"

#include <gtest/gtest.h>

namespace {

int sign(int value) { return (value > 0) - (value < 0); }

TEST(TextOrder, LettersWithoutCaseFirstThenCaseThenHyphens)
{
    struct Pair {
        const wchar_t* a;
        const wchar_t* b;
        int with_case;    // compare_text(a, b)
        int without_case; // compare_text_without_case(a, b)
    };
    const Pair pairs[] = {
        {L"a", L"A", -1, 0},           {L"A", L"b", -1, -1},     {L"Rec", L"rec", 1, 0},
        {L"VIDEO0001.DMV", L"Video0001.dmv", 1, 0},                {L"VIDEO0001.DMV", L"video0002.dmv", -1, -1},
        {L"video0002.dmv", L"Video0003.dmv", -1, -1},              {L"ab", L"abc", -1, -1},
        {L"abc", L"abc", 0, 0},        {L"_a", L"0", -1, -1},    {L"0", L"a", -1, -1},
        {L"a_", L"a0", -1, -1},        {L"a.b", L"a0", -1, -1},  {L"x\\a", L"x0", -1, -1},
        {L"x/a", L"x0", -1, -1},       {L"a b", L"a-b", -1, -1}, {L"0010", L"0002", 1, 1},
        {L"\u3042", L"z", 1, 1},       {L"a-b", L"ab", 1, 1},
        {L"a-b", L"ac", -1, -1},       {L"co-op", L"coop1", -1, -1},
    };
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(::testing::Message() << "pair " << (&pair - pairs));
        EXPECT_EQ(sign(compare_text(pair.a, pair.b)), pair.with_case);
        EXPECT_EQ(sign(compare_text(pair.b, pair.a)), -pair.with_case);
        EXPECT_EQ(sign(compare_text_without_case(pair.a, pair.b)), pair.without_case);
        EXPECT_EQ(sign(compare_text_without_case(pair.b, pair.a)), -pair.without_case);
    }
}

} // namespace
