// The line chart's plot, grid, labels, detection line, curves and current-frame line.
#include "panels/LineChartGeometry.h"

#include "panels/RecordedInfo.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A monospaced font: 7 pixels a character.
int seven_per_character(const std::string& text) { return 7 * static_cast<int>(text.size()); }

// The plot of an 825 x 90 chart with "+0.00" 35 x 13 and "999" 21 wide.
PlotRect usual_plot() { return LineChartGeometry::plot_rect(825, 90, 35, 13, 21); }

TEST(LineChartGeometry, ThePlotFollowsTheFontAndTheClientSize)
{
    const PlotRect plot = usual_plot();
    EXPECT_EQ(plot.x0, 45);
    EXPECT_EQ(plot.y0, 13);
    EXPECT_EQ(plot.x1, 749);
    EXPECT_EQ(plot.y1, 54);
    EXPECT_EQ(LineChartGeometry::cache_width(825), 780);
    EXPECT_EQ(LineChartGeometry::cache_height(90), 72);
}

TEST(LineChartGeometry, FiveGridRowsCarryTheGAndSpeedLabels)
{
    const LineChartGeometry chart(usual_plot(), 900, 30);
    const auto least = chart.scale_rows(ChartScales::from_peaks(0.3, 12));
    ASSERT_EQ(least.size(), 5u);
    const int ys[] = {13, 23, 33, 43, 54}; // 13 + i * 41 / 4
    const char* g[] = {"+0.50", "+0.40", "+0.30", "+0.20", "+0.10"};
    const char* speed[] = {" 40", " 30", " 20", " 10", "  0"};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(least[i].y, ys[i]);
        EXPECT_EQ(least[i].g_label, g[i]);
        EXPECT_EQ(least[i].speed_label, speed[i]);
    }
    const auto wide = chart.scale_rows(ChartScales::from_peaks(1.01, 41));
    EXPECT_EQ(wide[0].g_label, "+1.50");
    EXPECT_EQ(wide[4].g_label, "+0.00");
    EXPECT_EQ(wide[0].speed_label, " 80");
    EXPECT_EQ(wide[2].speed_label, " 40");
}

TEST(LineChartGeometry, ThreeMinutesAtTenFramesHave181SecondLinesWithThinnedLabels)
{
    const PlotRect plot = usual_plot(); // 704 pixels for 180 s: 3 whole pixels a second
    const LineChartGeometry chart(plot, 1800, 10);
    const auto lines = chart.second_lines(seven_per_character);
    ASSERT_EQ(lines.size(), 181u);
    EXPECT_EQ(lines.front().x, plot.x0);
    EXPECT_EQ(lines.back().x, plot.x1);
    EXPECT_EQ(lines[1].x, 45 + 10 * 704 / 1800);
    // "180" is 21 wide: labels need 23 pixels, 8 seconds' worth.
    EXPECT_EQ(chart.label_step(21), 8);
    int previous_right = -1000;
    int labelled = 0;
    for (size_t t = 0; t < lines.size(); ++t) {
        EXPECT_EQ(lines[t].label, std::to_string(t));
        if (lines[t].labelled) {
            ++labelled;
            EXPECT_EQ(t % 8, 0u) << t;
            const int width = seven_per_character(lines[t].label);
            EXPECT_GT(lines[t].x - width / 2, previous_right) << "label " << t << " touches its neighbour";
            previous_right = lines[t].x - width / 2 + width;
        }
    }
    EXPECT_EQ(labelled, 23); // 0, 8, ..., 176
}

TEST(LineChartGeometry, LabelsNeverTouchEvenWhenTheStepAllowsThem)
{
    // 10 s in 230 pixels: 23 pixels a second just fit a 21-pixel label and 2 pixels of room;
    // one pixel less and every second label goes.
    const PlotRect plot{0, 13, 230, 54};
    const LineChartGeometry roomy(plot, 300, 30);
    EXPECT_EQ(roomy.label_step(21), 1);
    EXPECT_EQ(LineChartGeometry({0, 13, 229, 54}, 300, 30).label_step(21), 2);
    // A font far wider for some labels than for the last: the edge check thins the rest.
    const auto lines = roomy.second_lines([](const std::string& text) { return text == "10" ? 10 : 30; });
    std::vector<int> shown;
    for (size_t t = 0; t < lines.size(); ++t) {
        if (lines[t].labelled) {
            shown.push_back(static_cast<int>(t));
        }
    }
    EXPECT_EQ(shown, (std::vector<int>{0, 2, 4, 6, 8, 10}));
}

TEST(LineChartGeometry, LessThanAPixelASecondStillSpacesTheLabels)
{
    // One hour at 10 frames a second in 100 pixels.
    const LineChartGeometry chart({0, 13, 100, 54}, 36000, 10);
    const int step = chart.label_step(28); // "3600"
    EXPECT_EQ(step, 1080);                 // 30 pixels need 1080 of the 3600 s in 100 pixels
    const auto lines = chart.second_lines(seven_per_character);
    ASSERT_EQ(lines.size(), 3601u);
    const auto labelled = std::count_if(lines.begin(), lines.end(), [](const auto& l) { return l.labelled; });
    EXPECT_EQ(labelled, 4); // 0, 1080, 2160, 3240
}

TEST(LineChartGeometry, AnEmptyRecordingHasOneLineAtTheLeft)
{
    const LineChartGeometry chart(usual_plot(), 0, 30);
    const auto lines = chart.second_lines(seven_per_character);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, 45);
    EXPECT_TRUE(lines[0].labelled);
}

TEST(LineChartGeometry, FramesSpreadFromEdgeToEdgeAndOneFrameStandsAtTheLeft)
{
    const PlotRect plot = usual_plot();
    const LineChartGeometry chart(plot, 901, 30);
    EXPECT_EQ(chart.frame_x(0), plot.x0);
    EXPECT_EQ(chart.frame_x(900), plot.x1);
    EXPECT_EQ(chart.frame_x(450), 45 + 352);
    EXPECT_EQ(chart.position_x(450), 20 + 45 + 352);
    EXPECT_EQ(chart.position_top(), 13 + 7);
    EXPECT_EQ(chart.position_bottom(), 54 + 6);
    const LineChartGeometry single(plot, 1, 30);
    EXPECT_EQ(single.frame_x(0), plot.x0);
    EXPECT_EQ(single.position_x(0), 20 + plot.x1); // the position line of a lone frame stands at the right
}

TEST(LineChartGeometry, TheDetectionLineNeedsAKindAndARecordOnItsFrame)
{
    const LineChartGeometry chart(usual_plot(), 901, 30);
    auto info = RecordedInfo::steady(901, 0.2, 30);
    info->detection = 450;
    info->kind = 1;
    EXPECT_EQ(chart.detection_x(*info), 45 + 352);
    info->kind = 0;
    EXPECT_FALSE(chart.detection_x(*info)) << "no detection kind, no red line";
    info->kind = 2;
    info->frames[450].reset();
    EXPECT_FALSE(chart.detection_x(*info));
    info->detection = -1;
    EXPECT_FALSE(chart.detection_x(*info));
    RecordedInfo empty;
    empty.detection = 0;
    EXPECT_FALSE(LineChartGeometry(usual_plot(), 0, 30).detection_x(empty));
}

TEST(LineChartGeometry, TheDetectionTimeKeepsClearOfTheStartAndEndTimes)
{
    const LineChartGeometry chart(usual_plot(), 901, 30); // x0 45, x1 749
    const int w = 56;                                      // "00:00:00"
    // Left: 45 + 56 + 10 < x - 28 from x = 140; right: x < 749 - 66 = 683.
    EXPECT_FALSE(chart.detection_time_fits(139, w));
    EXPECT_TRUE(chart.detection_time_fits(140, w));
    EXPECT_TRUE(chart.detection_time_fits(682, w));
    EXPECT_FALSE(chart.detection_time_fits(683, w));
}

TEST(LineChartGeometry, CurvesStartAtTheLeftEdgeAndSkipFramesWithoutRecords)
{
    const PlotRect plot{0, 10, 100, 50}; // 40 high
    const LineChartGeometry chart(plot, 5, 30);
    RecordedInfo info;
    info.frames.resize(5);
    auto put = [&](int i, double g, int speed) {
        FrameRecord record;
        record.g_magnitude = g;
        record.speed = speed;
        info.frames[static_cast<size_t>(i)] = record;
    };
    put(1, 1.0, 20);
    put(2, 0.5, 40);
    put(4, 0.0, 0);
    const ChartScales scales = ChartScales::from_peaks(1.0, 40); // G 0 ... 1, speed 0 ... 40
    const auto curves = chart.curves(info, scales);
    EXPECT_EQ(curves.g, (std::vector<ChartPoint>{{0, 10}, {25, 10}, {50, 30}, {100, 50}}));
    EXPECT_EQ(curves.speed, (std::vector<ChartPoint>{{0, 30}, {25, 30}, {50, 10}, {100, 50}}));
}

TEST(LineChartGeometry, ValuesBelowTheLeastGScaleFallBelowThePlot)
{
    const LineChartGeometry chart({0, 10, 100, 50}, 5, 30);
    const ChartScales least = ChartScales::from_peaks(0.2, 0); // 0.1 ... 0.5
    EXPECT_EQ(chart.g_y(0.5, least), 10);
    EXPECT_EQ(chart.g_y(0.1, least), 50);
    EXPECT_GT(chart.g_y(0.0, least), 50) << "the drawing clips it to the plot";
    EXPECT_EQ(chart.speed_y(13, ChartScales::from_peaks(0, 40)), 10 + 27 * 40 / 40);
    EXPECT_EQ(chart.speed_y(7, ChartScales::from_peaks(0, 41)), 10 + 73 * 40 / 80); // 46.5 cut to 46
}

} // namespace
