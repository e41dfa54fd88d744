// The line chart's scales from the largest G and speed of a recording.
#include "panels/ChartScales.h"

#include "panels/RecordedInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartScales, TheGScaleTopIsTheLargestMagnitudeRoundedUpToAHalf)
{
    EXPECT_DOUBLE_EQ(ChartScales::from_peaks(0.73, 0).g_max, 1.0);
    EXPECT_DOUBLE_EQ(ChartScales::from_peaks(1.0, 0).g_max, 1.0);
    EXPECT_DOUBLE_EQ(ChartScales::from_peaks(1.01, 0).g_max, 1.5);
    EXPECT_DOUBLE_EQ(ChartScales::from_peaks(7.999, 0).g_max, 8.0);
    // Above the least scale the bottom is 0; at the least scale (0.5) it is 0.1.
    EXPECT_DOUBLE_EQ(ChartScales::from_peaks(0.73, 0).g_min, 0.0);
    EXPECT_DOUBLE_EQ(ChartScales::from_peaks(0.2, 0).g_max, 0.5);
    EXPECT_DOUBLE_EQ(ChartScales::from_peaks(0.2, 0).g_min, 0.1);
    EXPECT_DOUBLE_EQ(ChartScales::from_peaks(0.5, 0).g_min, 0.1);
}

TEST(ChartScales, TheSpeedScaleIsAMultipleOfFortyAtLeastForty)
{
    EXPECT_EQ(ChartScales::from_peaks(0, 0).v_max, 40);
    EXPECT_EQ(ChartScales::from_peaks(0, 40).v_max, 40);
    EXPECT_EQ(ChartScales::from_peaks(0, 41).v_max, 80);
    EXPECT_EQ(ChartScales::from_peaks(0, 80).v_max, 80);
    EXPECT_EQ(ChartScales::from_peaks(0, 180).v_max, 200);
}

TEST(ChartScales, ComeFromTheFramesWithARecordOnly)
{
    auto info = RecordedInfo::steady(5, 0.3, 20);
    info->at(3).g_magnitude = 1.2;
    info->at(4).speed = 95;
    info->frames.push_back(std::nullopt);
    const ChartScales scales = ChartScales::of(*info);
    EXPECT_DOUBLE_EQ(scales.g_max, 1.5);
    EXPECT_DOUBLE_EQ(scales.g_min, 0.0);
    EXPECT_EQ(scales.v_max, 120);

    RecordedInfo empty;
    empty.frames.resize(3); // frames without records
    EXPECT_DOUBLE_EQ(ChartScales::of(empty).g_max, 0.5);
    EXPECT_DOUBLE_EQ(ChartScales::of(empty).g_min, 0.1);
    EXPECT_EQ(ChartScales::of(empty).v_max, 40);
}

} // namespace
