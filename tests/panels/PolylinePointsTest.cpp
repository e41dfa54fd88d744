// Curves thinned to the vertices that draw them.
#include "panels/PolylinePoints.h"

#include <gtest/gtest.h>

namespace {

using Points = std::vector<ChartPoint>;

TEST(PolylinePoints, RepeatedPointsAndStraightRunsShrinkToTheirEnds)
{
    EXPECT_EQ(without_redundant_points({{1, 1}, {1, 1}, {1, 1}, {2, 3}, {2, 3}}), (Points{{1, 1}, {2, 3}}));
    // A column of frames going down, then one going up: each run keeps its two ends.
    EXPECT_EQ(without_redundant_points({{5, 0}, {5, 1}, {5, 4}, {5, 9}, {6, 9}, {6, 7}, {6, 2}}),
              (Points{{5, 0}, {5, 9}, {6, 9}, {6, 2}}));
    // Along a row.
    EXPECT_EQ(without_redundant_points({{0, 3}, {1, 3}, {2, 3}, {7, 3}}), (Points{{0, 3}, {7, 3}}));
}

TEST(PolylinePoints, TurnsAndDiagonalsStay)
{
    // Down to 5 and back up to 2 on one column: the 5 is the turn and must stay.
    EXPECT_EQ(without_redundant_points({{0, 0}, {0, 5}, {0, 2}}), (Points{{0, 0}, {0, 5}, {0, 2}}));
    const Points diagonal{{0, 0}, {1, 1}, {2, 2}};
    EXPECT_EQ(without_redundant_points(diagonal), diagonal);
    EXPECT_EQ(without_redundant_points({}), Points{});
    EXPECT_EQ(without_redundant_points({{4, 4}}), (Points{{4, 4}}));
}

} // namespace
