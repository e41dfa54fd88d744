#include "samplecard/DriveStory.h"
#include "samplecard/EngineSound.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace samplecard;

TEST(DriveStory, BrakingEventCrossesTheThresholdAtTheDetectionInstantAndStops)
{
    const DriveStory story = DriveStory::braking_event(8, 30000, 12008);
    const DriveSample before = story.at(10000);
    EXPECT_GT(before.speed_kmh, 40.0);
    EXPECT_GT(before.g1, -0.2);
    EXPECT_LT(story.at(12008).g1, -0.45);
    EXPECT_GT(story.at(11600).g1, -0.45); // the deceleration builds up just before
    EXPECT_LT(story.at(12008).speed_kmh, before.speed_kmh);
    EXPECT_EQ(story.at(20000).speed_kmh, 0.0);
    EXPECT_NEAR(story.at(20000).g1, 0.0, 0.02);
    EXPECT_EQ(story.at(20000).distance_m, story.at(29000).distance_m);
}

TEST(DriveStory, TownDriveStopsAndGoesWithinTownSpeeds)
{
    const DriveStory story = DriveStory::town_drive(3, 600000);
    int standing = 0;
    int moving = 0;
    double top = 0;
    for (int ms = 0; ms <= 600000; ms += 500) {
        const DriveSample s = story.at(ms);
        (s.speed_kmh == 0.0 ? standing : moving) += 1;
        top = std::max(top, s.speed_kmh);
        EXPECT_LT(std::fabs(s.g1), 0.5) << ms;
        EXPECT_LT(std::fabs(s.g2), 0.5) << ms;
    }
    EXPECT_GT(standing, 20);
    EXPECT_GT(moving, 400);
    EXPECT_LT(top, 90.0);
    EXPECT_GT(story.at(600000).distance_m, 1000.0);
}

TEST(DriveStory, InterpolatesBetweenSamplesAndHoldsAtTheEnds)
{
    const DriveStory story = DriveStory::town_drive(5, 20000);
    const DriveSample a = story.at(12340);
    const DriveSample b = story.at(12350);
    const DriveSample mid = story.at(12345);
    EXPECT_NEAR(mid.distance_m, (a.distance_m + b.distance_m) / 2, 1e-9);
    EXPECT_EQ(story.at(-50).distance_m, story.at(0).distance_m);
    EXPECT_EQ(story.at(1e9).distance_m, story.at(story.duration_ms()).distance_m);
}

TEST(EngineSound, PiecesRenderedSeparatelyJoinExactly)
{
    const DriveStory story = DriveStory::town_drive(6, 10000);
    const EngineSound sound(7);
    const Bytes whole = sound.render(story, 4000, 4410, std::nullopt);
    Bytes pieces = sound.render(story, 4000, 2205, std::nullopt);
    const Bytes second = sound.render(story, 4200, 2205, std::nullopt);
    pieces.insert(pieces.end(), second.begin(), second.end());
    EXPECT_EQ(pieces, whole);
}

} // namespace
