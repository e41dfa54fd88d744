// The stopwatch's marks kept apart on the position bar when laps are short.
#include "ui/MarkSpacing.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Case {
    const char* what;
    std::vector<int> lefts;
    int barWidth;
    std::vector<int> expected;
};

TEST(MarkSpacing, MarksTooCloseMoveApartJustEnoughAndStayOnTheBar)
{
    const int width = 9;
    const Case cases[] = {
        {"marks far apart keep their places", {10, 50, 90}, 300, {10, 50, 90}},
        {"a short lap moves right of the mark before it", {10, 12, 60}, 300, {10, 19, 60}},
        {"a run of short laps each clears the one before", {10, 11, 12, 13, 14}, 300, {10, 19, 28, 37, 46}},
        {"a pushed mark pushes the next only where it must", {10, 15, 25}, 300, {10, 19, 28}},
        {"at the right end they move back left", {280, 288, 291}, 300, {273, 282, 291}},
        {"no room for all: the right end wins, the left ones overlap", {0, 1, 2, 3}, 20, {-16, -7, 2, 11}},
        {"one mark is left alone", {120}, 300, {120}},
        {"no marks", {}, 300, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkSpacing::spread(c.lefts, width, c.barWidth), c.expected) << c.what;
    }
}

} // namespace
