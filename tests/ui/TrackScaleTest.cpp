// The track bars' arithmetic: thumb pixels, pointer values, the barrier and mark places.
#include "ui/TrackScale.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(TrackScale, ThumbTravelsTheBarLessItsOwnWidthTruncated)
{
    // 0 ... 599 over a 300-pixel bar with a 15-pixel thumb: 285 pixels of travel.
    const TrackScale scale(0, 599, 300, 15);
    EXPECT_EQ(scale.pixelOf(0), 0);
    EXPECT_EQ(scale.pixelOf(599), 285);
    EXPECT_EQ(scale.pixelOf(300), 142) << "300 * 285 / 599 = 142.7, truncated";
    EXPECT_EQ(scale.pixelOf(2), 0) << "2 * 285 / 599 = 0.95";
    // A range that does not start at 0 measures from its minimum.
    const TrackScale shifted(100, 200, 110, 10);
    EXPECT_EQ(shifted.pixelOf(100), 0);
    EXPECT_EQ(shifted.pixelOf(150), 50);
    EXPECT_EQ(shifted.pixelOf(200), 100);
}

TEST(TrackScale, EmptyRangeOrMissingPicturesPutEveryValueAtZero)
{
    EXPECT_EQ(TrackScale(5, 5, 300, 15).pixelOf(5), 0);
    EXPECT_EQ(TrackScale(0, 100, 300, 15, false).pixelOf(100), 0);
    // Large frame counts do not overflow: 30 minutes of frames on a wide bar.
    EXPECT_EQ(TrackScale(0, 53999, 2000, 16).pixelOf(53999), 1984);
}

TEST(TrackScale, PointerPicksTheValueUnderTheThumbsLeftEdgeClamped)
{
    // Range 1 ... 50 on a 100-pixel bar with a 10-pixel thumb: the ends reach the ends.
    const TrackScale scale(1, 50, 100, 10);
    EXPECT_EQ(scale.pointerPx(0), 5);
    EXPECT_EQ(scale.valueAtPx(scale.pointerPx(0)), 1);
    EXPECT_EQ(scale.valueAtPx(scale.pointerPx(90)), 50);
    EXPECT_EQ(scale.valueAtPx(scale.pointerPx(99)), 50) << "right of the travel clamps to the maximum";
    EXPECT_EQ(scale.valueAtPx(scale.pointerPx(-40)), 1) << "left of the bar clamps to the minimum";
    // 1 + 49 * 45 / 90 = 25.5, truncated toward zero.
    EXPECT_EQ(scale.valueAtPx(scale.pointerPx(45)), 25);
    // Sweeping the pointer across never goes back and reaches every value on the way.
    int previous = 1;
    std::set<int> reached;
    for (int x = -20; x <= 120; ++x) {
        const int value = scale.valueAtPx(scale.pointerPx(x));
        EXPECT_GE(value, previous) << x;
        previous = value;
        reached.insert(value);
    }
    EXPECT_EQ(reached.size(), 50u);
}

TEST(TrackScale, ValueTruncatesTowardZeroAfterAddingTheMinimum)
{
    // -10 ... 10 on 50 pixels with a 10-pixel thumb: value = -10 + (px - 5) / 2.
    const TrackScale scale(-10, 10, 50, 10);
    EXPECT_EQ(scale.valueAtPx(8), -8) << "-8.5 truncates toward zero, not down to -9";
    EXPECT_EQ(scale.valueAtPx(30), 2) << "2.5";
    EXPECT_EQ(scale.valueAtPx(25), 0);
}

TEST(TrackScale, BarNoWiderThanItsThumbHasNowhereToGo)
{
    const TrackScale scale(0, 10, 15, 15);
    EXPECT_EQ(scale.valueAtPx(100), 0);
    EXPECT_EQ(TrackScale(0, 10, 0, 0).valueAtPx(3), 0);
}

TEST(TrackScale, BarrierStandsAtTheLastLapElseTheStartMark)
{
    const TrackScale scale(0, 599, 300, 15);
    TrackMarks marks;
    EXPECT_FALSE(scale.barrierPx(marks).has_value()) << "no start and no lap: no barrier";
    marks.start = 300;
    EXPECT_EQ(scale.barrierPx(marks), 142 + 7);
    marks.laps = {400, 500, 0, 550};
    EXPECT_EQ(marks.lastLap(), 500) << "the laps end at the first 0";
    EXPECT_EQ(scale.barrierPx(marks), scale.pixelOf(500) + 7);
    marks.end = 599;
    EXPECT_EQ(scale.barrierPx(marks), scale.pixelOf(500) + 7) << "the end mark is no barrier";
    marks.laps = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
    EXPECT_EQ(marks.lastLap(), 100);
}

TEST(TrackScale, MarksCentreTwoColumnsRightOfTheThumbsMiddle)
{
    const TrackScale scale(0, 599, 300, 15);
    // pixel 142 + 15 / 2 - 9 / 2 + 2 = 142 + 7 - 4 + 2.
    EXPECT_EQ(scale.markLeft(300, 9), 147);
    EXPECT_EQ(scale.markLeft(0, 10), 4);
}

} // namespace
