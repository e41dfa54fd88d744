#include "panels/StripGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(StripGeometry, ItemsShareTheViewWidthAndStandInOneRow)
{
    EXPECT_EQ(strip::item_width(730, 10), 73);
    EXPECT_EQ(strip::item_width(731, 10), 73) << "a remainder is left over";
    EXPECT_EQ(strip::item_width(730, 0), 0) << "no items, no division";
    EXPECT_EQ(strip::item_left(0, 71), 0);
    EXPECT_EQ(strip::item_left(3, 71), 219) << "two pixels between neighbours";
}

TEST(StripGeometry, SnapBringsTheNextItemToTheLeftEdge)
{
    // At rest on an item already: nothing but the margin.
    EXPECT_EQ(strip::snap_distance(0, 73, 5), -3);
    EXPECT_EQ(strip::snap_distance(146, 73, 5), -3);
    // Between items: on to the next one's start.
    EXPECT_EQ(strip::snap_distance(100, 73, 5), 146 - 100 - 3);
    EXPECT_EQ(strip::snap_distance(1, 73, 5), 73 - 1 - 3);
    // A position snapped once stays where it is.
    const int rest = 146 - 3;
    EXPECT_EQ(strip::snap_distance(rest, 73, 5), 0);
}

TEST(StripGeometry, SnapLeavesTheStripAloneBeyondTheLastItemOrWithoutItems)
{
    EXPECT_FALSE(strip::snap_distance(0, 0, 0).has_value());
    EXPECT_EQ(strip::snap_distance(4 * 73, 73, 5), -3) << "the last item's start still counts";
    EXPECT_FALSE(strip::snap_distance(4 * 73 + 1, 73, 5).has_value());
}

TEST(StripGeometry, ButtonsWaitForTheEndOfLoadingThenFollowTheSelection)
{
    const strip::ButtonStates loading = strip::button_states(false, 3, 10);
    EXPECT_FALSE(loading.first || loading.previous || loading.next || loading.last);

    const strip::ButtonStates at_first = strip::button_states(true, 0, 10);
    EXPECT_FALSE(at_first.first);
    EXPECT_FALSE(at_first.previous);
    EXPECT_TRUE(at_first.next);
    EXPECT_TRUE(at_first.last);

    const strip::ButtonStates at_last = strip::button_states(true, 9, 10);
    EXPECT_TRUE(at_last.first);
    EXPECT_TRUE(at_last.previous);
    EXPECT_FALSE(at_last.next);
    EXPECT_FALSE(at_last.last);

    const strip::ButtonStates alone = strip::button_states(true, 0, 1);
    EXPECT_FALSE(alone.first || alone.previous || alone.next || alone.last);
}

} // namespace
