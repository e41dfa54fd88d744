// Where the playback keys take the position.
#include "app/KeySeek.h"

#include <gtest/gtest.h>

namespace {

TEST(KeySeek, EventKeysStepOneFrameAndStayInsideTheRecording)
{
    EXPECT_EQ(KeySeek::eventTarget(KeySeek::forward, 10, 900), 11);
    EXPECT_EQ(KeySeek::eventTarget(KeySeek::back, 10, 900), 9);
    EXPECT_EQ(KeySeek::eventTarget(KeySeek::back, 0, 900), 0);
    EXPECT_EQ(KeySeek::eventTarget(KeySeek::forward, 899, 900), 899);
    EXPECT_EQ(KeySeek::eventTarget(KeySeek::first, 450, 900), 0);
    EXPECT_EQ(KeySeek::eventTarget(KeySeek::last, 0, 900), 899);
    EXPECT_EQ(KeySeek::eventTarget(KeySeek::last, 0, 0), 0) << "no frames: nowhere to go";
}

TEST(KeySeek, ContinuousKeysStepOneSecondAcrossChapters)
{
    const int total = 3 * 600 - 7; // the last chapter is short
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::forward, 595, total, {}), 605) << "into the next chapter";
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::back, 605, total, {}), 595);
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::back, 4, total, {}), 0);
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::forward, total - 3, total, {}), total - 1);
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::first, 1000, total, {}), 0);
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::last, 0, total, {}), total - 1);
}

TEST(KeySeek, WhileTheStopwatchMeasuresNoKeyGoesBeforeItsLastMark)
{
    const int total = 1800;
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::back, 705, total, 700), 700);
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::first, 900, total, 700), 700);
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::back, 720, total, 700), 710) << "far enough above the mark";
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::forward, 705, total, 700), 715);
    EXPECT_EQ(KeySeek::continuousTarget(KeySeek::last, 705, total, 700), total - 1);
}

} // namespace
