// The circle and line charts under Wine: what their cached content and their current-frame
// marks put on the screen.
#include "panels/CircleChart.h"
#include "panels/LineChart.h"

#include "panels/CircleGeometry.h"
#include "panels/DashboardFixture.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF orange = RGB(255, 165, 0);
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF red = RGB(255, 0, 0);
constexpr COLORREF pink = RGB(255, 128, 128);
constexpr COLORREF grey = RGB(132, 132, 132);

class CircleChartTest : public ::testing::Test {
protected:
    CircleChartTest()
    {
        chart_ = new CircleChart(host_.get(), source_);
        MoveWindow(chart_->handle(), 0, 0, 209, 165, TRUE);
        pumpPending();
    }
    WindowPicture shown()
    {
        chart_->redraw();
        return WindowPicture(chart_->handle());
    }
    // As the main window does on opening a recording.
    RecordedInfo& open(std::unique_ptr<RecordedInfo> recording)
    {
        source_.recording = std::move(recording);
        chart_->drop_cache();
        return *source_.recording;
    }

    HostWindow host_{0, 0, 300, 200};
    TestSource source_;
    CircleChart* chart_ = nullptr; // belongs to its window
    const CircleGeometry geometry_{209, 165};
    const int cx_ = 14 + 90; // the centre in window coordinates
    const int cy_ = 7 + 75;
};

TEST_F(CircleChartTest, AVectorOfTwoGIsDrawnOnTheCircleNotOutsideIt)
{
    RecordedInfo& recording = open(recording_of(10, 2.0, 0.0, 0)); // 2 G to the right
    recording.at(0).g2 = 0.0; // the trajectory starts at the centre
    recording.at(0).g_magnitude = 0.0;
    source_.current = 5;
    const WindowPicture picture = shown();
    // Orange runs from the centre to the 1.0 G circle on the right, and not beyond.
    EXPECT_GT(picture.count(orange, cx_ + 10, cy_ - 2, cx_ + 60, cy_ + 3), 40);
    EXPECT_EQ(picture.count(orange, cx_ + 67, 0, picture.width, picture.height), 0);
    EXPECT_EQ(picture.count(orange, 0, 0, cx_ - 3, picture.height), 0);
    // The dot of frame 5 sits on the circle.
    EXPECT_GT(picture.count(yellow, cx_ + 64 - 4, cy_ - 4, cx_ + 64 + 4, cy_ + 4), 20);
    EXPECT_EQ(picture.count(yellow, 0, 0, cx_ + 50, picture.height), 0);
}

TEST_F(CircleChartTest, TheDotFollowsTheCurrentFrameOverTheCachedTrajectory)
{
    RecordedInfo& recording = open(recording_of(2, 0.0, 0.5, 0)); // 0.5 G forward: 32 pixels up
    recording.at(1).g1 = -0.5;                                    // then 0.5 G backward
    source_.current = 0;
    const WindowPicture first = shown();
    EXPECT_GT(first.count(yellow, cx_ - 4, cy_ - 32 - 4, cx_ + 4, cy_ - 32 + 4), 20);
    source_.current = 1;
    const WindowPicture second = shown();
    EXPECT_EQ(second.count(yellow, cx_ - 4, cy_ - 32 - 4, cx_ + 4, cy_ - 32 + 4), 0) << "the old dot is gone";
    EXPECT_GT(second.count(yellow, cx_ - 4, cy_ + 32 - 4, cx_ + 4, cy_ + 32 + 4), 20);
}

TEST_F(CircleChartTest, TheTrajectoryIsDrawnOncePerRecordingUntilTheCacheIsDropped)
{
    open(recording_of(4, 0.5, 0.0, 0)).at(0).g2 = -0.5;
    shown();
    EXPECT_TRUE(chart_->cache_ready());
    // Another recording behind the chart's back: the cached trajectory stays until dropped.
    source_.recording = recording_of(4, 0.0, 0.5, 0);
    source_.recording->at(0).g1 = -0.5;
    EXPECT_GT(shown().count(orange, cx_ - 40, cy_ - 2, cx_ + 40, cy_ + 3), 30);
    chart_->drop_cache();
    EXPECT_FALSE(chart_->cache_ready());
    const WindowPicture fresh = shown();
    EXPECT_EQ(fresh.count(orange, cx_ - 40, cy_ - 2, cx_ - 3, cy_ + 3), 0);
    EXPECT_GT(fresh.count(orange, cx_ - 2, cy_ - 40, cx_ + 3, cy_ + 40), 30);
}

TEST_F(CircleChartTest, DisabledItIsGreyWithoutTrajectoryOrDot)
{
    open(recording_of(10, 0.5, 0.5, 0)).at(0).g1 = 0.0;
    EXPECT_GT(shown().count(orange), 0);
    EnableWindow(chart_->handle(), FALSE); // the image mode
    const WindowPicture disabled = shown();
    EXPECT_EQ(disabled.count(orange), 0);
    EXPECT_EQ(disabled.count(yellow), 0);
    EXPECT_GT(disabled.count(grey), 180 * 151 / 2);
    EXPECT_EQ(disabled.count(RGB(255, 255, 255)), 0);
}

class LineChartTest : public ::testing::Test {
protected:
    LineChartTest()
    {
        chart_ = new LineChart(host_.get(), source_);
        MoveWindow(chart_->handle(), 0, 0, 825, 90, TRUE);
        pumpPending();
    }
    WindowPicture shown()
    {
        chart_->redraw();
        return WindowPicture(chart_->handle());
    }
    void open_event(int frames, int detection, int kind)
    {
        source_.recording = recording_of(frames, 0.0, 0.3, 20);
        source_.recording->detection = detection;
        source_.recording->kind = kind;
        chart_->drop_cache();
    }

    HostWindow host_{0, 0, 900, 100};
    TestSource source_;
    LineChart* chart_ = nullptr; // belongs to its window
};

TEST_F(LineChartTest, TheDetectionLineIsRedOnlyWithADetectionKind)
{
    open_event(901, 450, 1);
    const LineChartGeometry geometry = chart_->geometry();
    const PlotRect& plot = geometry.plot();
    const int x = 20 + geometry.frame_x(450);
    const WindowPicture detected = shown();
    EXPECT_GT(detected.count(red, x, 7 + plot.y0, x + 1, 7 + plot.y1), (plot.y1 - plot.y0) / 2);
    open_event(901, 450, 0);
    EXPECT_EQ(shown().count(red), 0) << "kind code 0 has no detection line";
}

TEST_F(LineChartTest, TheYellowLineMarksTheCurrentFrame)
{
    open_event(301, 150, 1);
    source_.current = 75;
    const LineChartGeometry geometry = chart_->geometry();
    const int x = geometry.position_x(75);
    const WindowPicture quarter = shown();
    EXPECT_GT(quarter.count(yellow, x, geometry.position_top(), x + 2, geometry.position_bottom() + 1),
              geometry.position_bottom() - geometry.position_top());
    EXPECT_EQ(quarter.count(yellow, 0, 0, x - 1, quarter.height), 0);
    source_.current = 300;
    const WindowPicture end = shown();
    EXPECT_EQ(end.count(yellow, 0, 0, x + 3, end.height), 0) << "the line moved; the cache holds no old one";
    EXPECT_GT(end.count(yellow, geometry.position_x(300), 0, geometry.position_x(300) + 2, end.height), 20);
}

TEST_F(LineChartTest, SmallGValuesAreClippedToThePlotOnTheLeastScale)
{
    source_.recording = recording_of(100, 0.0, 0.02, 0); // far under the scale's bottom of 0.1
    chart_->drop_cache();
    const LineChartGeometry geometry = chart_->geometry();
    const PlotRect& plot = geometry.plot();
    const WindowPicture picture = shown();
    EXPECT_EQ(picture.count(orange, 0, 7 + plot.y1 + 2, picture.width, picture.height), 0);
    EXPECT_GT(picture.count(pink), 50) << "the speed curve along the bottom";
}

TEST_F(LineChartTest, ResizingDropsTheCacheAndMovesThePlot)
{
    open_event(301, 150, 1);
    shown();
    EXPECT_TRUE(chart_->cache_ready());
    const int right = chart_->geometry().plot().x1;
    MoveWindow(chart_->handle(), 0, 0, 600, 90, TRUE);
    EXPECT_FALSE(chart_->cache_ready());
    EXPECT_EQ(chart_->geometry().plot().x1, right - 225);
}

} // namespace
