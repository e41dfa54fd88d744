// Lap arithmetic over recorded frame times: durations, totals, marks and average speeds within
// and across chapters.
#include "panels/LapMeasurement.h"

#include "playback/FrameTimeTable.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A chapter of `count` frames 100 ms apart from `first_ms`, with the speeds `speed(frame)`.
std::vector<FrameTime> chapter(int first_ms, int count, const std::function<int(int)>& speed)
{
    std::vector<FrameTime> frames;
    for (int i = 0; i < count; ++i) {
        frames.push_back({first_ms + 100 * i, speed(i)});
    }
    return frames;
}

int at(int chapter, int frame) { return chapter * 600 + frame; }

class LapMeasurementTest : public ::testing::Test {
protected:
    FrameTimeTable table;
    LapMeasurement laps;
};

TEST_F(LapMeasurementTest, StartAndStopWithoutALapGiveOneLapEqualToTheTotal)
{
    table.store_chapter(0, chapter(7000, 600, [](int) { return 30; }));
    laps.start(table, 0, at(0, 100));
    EXPECT_TRUE(laps.measuring());
    EXPECT_EQ(laps.elapsed(table, at(0, 150)), 5000);
    laps.stop(table, 0, at(0, 223));
    EXPECT_FALSE(laps.measuring());
    ASSERT_EQ(laps.lap_count(), 1);
    EXPECT_EQ(laps.total(), 12300);
    EXPECT_EQ(laps.lap_duration(1), laps.total());
    EXPECT_EQ(laps.lap_average(1), 30);
    EXPECT_EQ(laps.start_mark(), 100);
    EXPECT_EQ(laps.end_mark(), 223);
    EXPECT_EQ(laps.lap_marks()[0], 0); // the stop closes the lap with the end mark only
}

TEST_F(LapMeasurementTest, LapsAndTotalComeFromTheRecordedTimesNotTheFrameCount)
{
    // The recorder's clock ran unevenly: frame 101 came 10 050 ms after frame 0, frame 202
    // another 10 050 ms later.
    auto frames = chapter(40000, 300, [](int) { return 0; });
    frames[101].ms = 50050;
    frames[202].ms = 60100;
    table.store_chapter(0, frames);
    laps.start(table, 0, at(0, 0));
    ASSERT_TRUE(laps.take_lap(table, 0, at(0, 101)));
    laps.stop(table, 0, at(0, 202));
    ASSERT_EQ(laps.lap_count(), 2);
    EXPECT_EQ(laps.lap_duration(1), 10050);
    EXPECT_EQ(laps.lap_duration(2), 10050);
    EXPECT_EQ(laps.total(), 20100);
    EXPECT_EQ(laps.lap_marks()[0], 101);
    EXPECT_EQ(laps.lap_duration(3), 0);
    EXPECT_EQ(laps.lap_duration(0), 0);
}

TEST_F(LapMeasurementTest, AverageSpeedCountsTheFramesAfterTheLapStartUpToItsEnd)
{
    // Frames 1 ... 10 at 41 km/h, 11 ... 20 at 50; frame 0 is never part of a lap.
    table.store_chapter(0, chapter(1000, 600, [](int i) { return i == 0 ? 200 : i <= 10 ? 41 : i <= 20 ? 50 : 90; }));
    laps.start(table, 0, at(0, 0));
    laps.take_lap(table, 0, at(0, 10));
    laps.stop(table, 0, at(0, 20));
    EXPECT_EQ(laps.lap_average(1), 41);
    EXPECT_EQ(laps.lap_average(2), 50);
    EXPECT_EQ(laps.total_average(), 45); // (41 + 50) / 2, truncated
}

TEST_F(LapMeasurementTest, AverageSpeedTruncates)
{
    table.store_chapter(0, chapter(1000, 600, [](int i) { return i == 1 ? 10 : i == 2 ? 11 : i == 3 ? 11 : 0; }));
    EXPECT_EQ(LapMeasurement::average_speed(table, 0, 0, 0, 3, -1), 10); // 32 / 3
}

TEST_F(LapMeasurementTest, ALapWithoutFramesKeepsItsPreviousAverage)
{
    table.store_chapter(0, chapter(1000, 600, [](int) { return 70; }));
    EXPECT_EQ(LapMeasurement::average_speed(table, 0, 12, 0, 12, 33), 33);
    EXPECT_EQ(LapMeasurement::average_speed(table, 0, 12, 0, 5, 33), 33);
    laps.start(table, 0, at(0, 12));
    laps.stop(table, 0, at(0, 12));
    EXPECT_EQ(laps.lap_duration(1), 0);
    EXPECT_EQ(laps.lap_average(1), 0);
}

TEST_F(LapMeasurementTest, ALapAcrossChaptersRunsToTheLastValidFrameOfEachAndStopsBeforeItsEnd)
{
    // Chapter 0 has 300 valid frames, chapter 1 a whole minute, chapter 2 is where the lap ends.
    auto first = chapter(0 + 1000, 300, [](int) { return 10; });
    first.push_back({0, 99}); // ends the valid frames: never counted
    first.push_back({31000, 99});
    table.store_chapter(0, first);
    table.store_chapter(1, chapter(61000, 600, [](int) { return 20; }));
    table.store_chapter(2, chapter(121000, 600, [](int i) { return i < 5 ? 30 : 99; }));
    laps.start(table, 0, at(0, 289));
    laps.take_lap(table, 2, at(2, 5));
    // Chapter 0: frames 290 ... 299 (10 at 10); chapter 1: 600 at 20; chapter 2: frames 0 ... 4
    // (5 at 30).
    EXPECT_EQ(laps.lap_average(1), (10 * 10 + 600 * 20 + 5 * 30) / 615);
    EXPECT_EQ(laps.lap_duration(1), 121500 - 29900);
    // The next lap starts at that frame of chapter 2 and stays in it.
    laps.stop(table, 2, at(2, 8));
    EXPECT_EQ(laps.lap_average(2), 99);
    EXPECT_EQ(laps.lap_duration(2), 300);
    EXPECT_EQ(laps.total(), 121800 - 29900);
}

TEST_F(LapMeasurementTest, ALapAcrossChaptersWithNothingToAverageKeepsThePreviousValue)
{
    table.store_chapter(1, chapter(61000, 600, [](int) { return 20; }));
    // Chapter 0 was never loaded (no valid frames), and the lap ends at frame 0 of chapter 1.
    EXPECT_EQ(LapMeasurement::average_speed(table, 0, 599, 1, 0, 7), 7);
    // A lap that would end in an earlier chapter than it began averages nothing either.
    EXPECT_EQ(LapMeasurement::average_speed(table, 1, 10, 0, 20, 7), 7);
}

TEST_F(LapMeasurementTest, DurationsNeverGoBelowZero)
{
    auto frames = chapter(5000, 100, [](int) { return 0; });
    frames[50].ms = 4000; // the recorder's clock went back
    table.store_chapter(0, frames);
    laps.start(table, 0, at(0, 10));
    EXPECT_EQ(laps.elapsed(table, at(0, 50)), 0);
    laps.stop(table, 0, at(0, 50));
    EXPECT_EQ(laps.lap_duration(1), 0);
    EXPECT_EQ(laps.total(), 0);
}

TEST_F(LapMeasurementTest, NineLapsAreTakenTheStopClosesTheTenth)
{
    table.store_chapter(0, chapter(1000, 600, [](int) { return 50; }));
    laps.start(table, 0, at(0, 5));
    EXPECT_EQ(laps.last_mark(), 5);
    for (int lap = 1; lap <= 9; ++lap) {
        ASSERT_TRUE(laps.lap_reset_allowed()) << lap;
        ASSERT_TRUE(laps.take_lap(table, 0, at(0, 5 + 10 * lap)));
        EXPECT_EQ(laps.last_mark(), 5 + 10 * lap);
    }
    EXPECT_FALSE(laps.lap_reset_allowed());
    EXPECT_FALSE(laps.take_lap(table, 0, at(0, 200)));
    EXPECT_EQ(laps.lap_count(), 9);
    EXPECT_TRUE(laps.start_stop_allowed(true));
    laps.stop(table, 0, at(0, 120));
    ASSERT_EQ(laps.lap_count(), 10);
    EXPECT_EQ(laps.lap_duration(10), 2500);
    EXPECT_EQ(laps.lap_marks()[8], 95);
    EXPECT_EQ(laps.lap_marks()[9], 0);
    EXPECT_EQ(laps.end_mark(), 120);
    EXPECT_EQ(laps.total(), 11500);
    // Finished: start/stop waits for a reset, lap/reset offers the reset.
    EXPECT_FALSE(laps.start_stop_allowed(true));
    EXPECT_TRUE(laps.lap_reset_allowed());
    laps.stop(table, 0, at(0, 130)); // not measuring: nothing more
    EXPECT_EQ(laps.lap_count(), 10);
}

TEST_F(LapMeasurementTest, StartStopOnlyWhilePlaying)
{
    EXPECT_FALSE(laps.start_stop_allowed(false));
    EXPECT_TRUE(laps.start_stop_allowed(true));
    table.store_chapter(0, chapter(1000, 600, [](int) { return 50; }));
    laps.start(table, 0, at(0, 5));
    EXPECT_FALSE(laps.start_stop_allowed(false));
    EXPECT_TRUE(laps.start_stop_allowed(true));
}

TEST_F(LapMeasurementTest, ResetForgetsTheResultsAndClearForgetsTheMeasurementToo)
{
    table.store_chapter(0, chapter(1000, 600, [](int) { return 50; }));
    laps.start(table, 0, at(0, 5));
    laps.take_lap(table, 0, at(0, 25));
    laps.stop(table, 0, at(0, 45));
    laps.reset();
    EXPECT_EQ(laps.lap_count(), 0);
    EXPECT_EQ(laps.total(), 0);
    EXPECT_EQ(laps.start_mark(), 0);
    EXPECT_EQ(laps.end_mark(), 0);
    EXPECT_EQ(laps.last_mark(), 0);
    EXPECT_EQ(laps.lap_marks()[0], 0);
    EXPECT_EQ(laps.lap_average(1), 0);
    EXPECT_TRUE(laps.start_stop_allowed(true));

    laps.start(table, 0, at(0, 5));
    laps.take_lap(table, 0, at(0, 25));
    laps.clear();
    EXPECT_FALSE(laps.measuring());
    EXPECT_EQ(laps.lap_count(), 0);
    EXPECT_EQ(laps.last_mark(), 0);
    // A lap taken without a start is refused.
    EXPECT_FALSE(laps.take_lap(table, 0, at(0, 30)));
}

} // namespace
