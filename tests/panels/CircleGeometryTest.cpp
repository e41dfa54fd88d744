// The circle chart's plot and the points of G vectors.
#include "panels/CircleGeometry.h"

#include "recording/FrameRecord.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

FrameRecord vector_of(double lateral, double longitudinal)
{
    FrameRecord record;
    record.g2 = lateral;
    record.g1 = longitudinal;
    record.g_magnitude = std::sqrt(lateral * lateral + longitudinal * longitudinal);
    return record;
}

TEST(CircleGeometry, ThePlotSitsInsideTheFrameWithItsCentreHalfway)
{
    const CircleGeometry chart(209, 165);
    EXPECT_EQ(chart.plot_width(), 180);
    EXPECT_EQ(chart.plot_height(), 151);
    EXPECT_EQ(chart.centre(), (ChartPoint{90, 75}));
}

TEST(CircleGeometry, OneGIsSixtyFourPixelsRightAndForwardUp)
{
    const CircleGeometry chart(209, 165);
    EXPECT_EQ(chart.point(vector_of(0.5, 0.25)), (ChartPoint{90 + 32, 75 - 16}));
    EXPECT_EQ(chart.point(vector_of(-1.0, 0.0)), (ChartPoint{90 - 64, 75}));
    EXPECT_EQ(chart.point(vector_of(0.0, -1.0)), (ChartPoint{90, 75 + 64}));
    // Parts of a pixel are cut off: 90 + 0.999 * 64 = 153.9.
    EXPECT_EQ(chart.point(vector_of(0.999, 0.0)).x, 153);
    // The dot is worked out in window coordinates around the shifted centre.
    EXPECT_EQ(chart.window_point(vector_of(0.5, 0.25)), (ChartPoint{90 + 14 + 32, 75 + 7 - 16}));
}

TEST(CircleGeometry, TruncatesTowardZeroWhereThePlotIsTooSmallForTheCircle)
{
    const CircleGeometry tiny(49, 34); // plot 20 x 20, centre (10, 10)
    EXPECT_EQ(tiny.point(vector_of(-0.3, 0.0)).x, -9);  // 10 - 19.2 = -9.2
    EXPECT_EQ(tiny.point(vector_of(0.0, 0.3)).y, -9);
    EXPECT_EQ(tiny.window_point(vector_of(-0.3, 0.0)).x, 4); // 24 - 19.2 = 4.8
}

TEST(CircleGeometry, AVectorBeyondOneGStaysOnTheCircleWithItsDirection)
{
    const CircleGeometry chart(209, 165);
    // Magnitude 2.0 along a diagonal: 1 G along it is 45.25 pixels on each axis.
    const FrameRecord strong = vector_of(std::sqrt(2.0), -std::sqrt(2.0));
    ASSERT_DOUBLE_EQ(strong.g_magnitude, 2.0);
    EXPECT_EQ(chart.point(strong), (ChartPoint{90 + 45, 75 + 45}));
    EXPECT_EQ(chart.point(vector_of(0.0, 2.0)), (ChartPoint{90, 75 - 64}));
    EXPECT_EQ(chart.point(vector_of(-3.0, 0.0)), (ChartPoint{90 - 64, 75}));
    // Exactly 1 G is not scaled.
    EXPECT_EQ(chart.point(vector_of(0.6, 0.8)), (ChartPoint{128, 23})); // 128.4, 23.8
}

} // namespace
