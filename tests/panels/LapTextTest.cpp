// The stopwatch's readout and lap list texts.
#include "panels/LapText.h"

#include "panels/LapMeasurement.h"
#include "playback/FrameTimeTable.h"

#include <gtest/gtest.h>

namespace {

TEST(LapText, DurationsShowMinutesSecondsAndTruncatedTenths)
{
    EXPECT_EQ(lap_text::duration(65432), L"01′ 05″ 4");
    EXPECT_EQ(lap_text::duration(65067), L"01′ 05″ 0");
    EXPECT_EQ(lap_text::duration(0), L"00′ 00″ 0");
    EXPECT_EQ(lap_text::duration(59999), L"00′ 59″ 9");
    EXPECT_EQ(lap_text::duration(60000), L"01′ 00″ 0");
    EXPECT_EQ(lap_text::duration(100 * 60000 + 1500), L"100′ 01″ 5");
}

class LapTextTest : public ::testing::Test {
protected:
    LapTextTest()
    {
        // Frames 100 ms apart from 30 s on; frames 1 ... 101 at 41 km/h, later ones at 50.
        std::vector<FrameTime> frames;
        for (int i = 0; i < 600; ++i) {
            frames.push_back({30000 + 100 * i, i <= 101 ? 41 : 50});
        }
        frames[101].ms = 40050;
        frames[202].ms = 50100;
        table.store_chapter(0, frames);
    }

    FrameTimeTable table;
    LapMeasurement laps;
};

TEST_F(LapTextTest, BeforeAnyLapEveryLineShowsDashes)
{
    EXPECT_EQ(lap_text::first_line(laps, 0), L"--′ --″ -");
    EXPECT_EQ(lap_text::second_line(laps), L"   --′ --″ -  - ");
    EXPECT_EQ(lap_text::lap_row(laps, 1), L" 1:  --′ --″ -  - km/h");
    EXPECT_EQ(lap_text::lap_row(laps, 10), L"10:  --′ --″ -  - km/h");
    EXPECT_EQ(lap_text::total_row(laps), L"TOTAL --′ --″ -  - km/h");
}

TEST_F(LapTextTest, WhileMeasuringTheFirstLineRunsAndTheTotalWaits)
{
    laps.start(table, 0, 0);
    EXPECT_EQ(lap_text::first_line(laps, laps.elapsed(table, 75)), L"00′ 07″ 5");
    laps.take_lap(table, 0, 101);
    EXPECT_EQ(lap_text::second_line(laps), L"1: 00′ 10″ 0  41");
    EXPECT_EQ(lap_text::lap_row(laps, 1), L" 1:  00′ 10″ 0  41km/h");
    EXPECT_EQ(lap_text::lap_row(laps, 2), L" 2:  --′ --″ -  - km/h");
    EXPECT_EQ(lap_text::total_row(laps), L"TOTAL --′ --″ -  - km/h");
}

TEST_F(LapTextTest, TheShownLapTimesNeedNotAddUpToTheShownTotal)
{
    laps.start(table, 0, 0);
    laps.take_lap(table, 0, 101);
    laps.stop(table, 0, 202);
    EXPECT_EQ(lap_text::first_line(laps, 999999), L"00′ 20″ 1"); // the total, not the argument
    EXPECT_EQ(lap_text::lap_row(laps, 1), L" 1:  00′ 10″ 0  41km/h");
    EXPECT_EQ(lap_text::lap_row(laps, 2), L" 2:  00′ 10″ 0  50km/h");
    EXPECT_EQ(lap_text::second_line(laps), L"2: 00′ 10″ 0  50");
    EXPECT_EQ(lap_text::total_row(laps), L"TOTAL 00′ 20″ 1  45km/h");
}

} // namespace
