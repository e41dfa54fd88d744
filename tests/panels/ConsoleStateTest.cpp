// What the console shows for each state of the player.
#include "panels/ConsoleState.h"

#include <gtest/gtest.h>

namespace {

PlayerSnapshot eventRecording(int state, int frame)
{
    PlayerSnapshot player;
    player.state = state;
    player.frame = frame;
    player.hasInfo = true;
    player.frameCount = 600;
    player.detectionIndex = 300;
    player.kindCode = 1;
    return player;
}

PlayerSnapshot continuousRecording(int state, int chapter, int frame)
{
    PlayerSnapshot player;
    player.continuous = true;
    player.state = state;
    player.chapter = chapter;
    player.frame = frame;
    player.chapterCount = 3;
    player.totalFrames = 1500;
    player.hasInfo = true;
    player.frameCount = 600;
    return player;
}

TEST(ConsoleState, NothingOpenDisablesEveryButtonAndReadsZero)
{
    PlayerSnapshot nothing;
    const ConsoleState shown(nothing);
    EXPECT_FALSE(shown.playEnabled || shown.stopEnabled || shown.previousEnabled || shown.nextEnabled ||
                 shown.forwardEnabled || shown.backEnabled);
    EXPECT_FALSE(shown.playingLook);
    EXPECT_EQ(shown.barMaximum, -1) << "the bar raises it to 0 itself";
    EXPECT_TRUE(shown.movesBar);
    EXPECT_EQ(shown.barValue, 0);
    EXPECT_TRUE(shown.showsReadout);
    EXPECT_EQ(shown.readout, L"\u00b100.0");
}

TEST(ConsoleState, EventModeStepsByFrameWithinTheRecording)
{
    const ConsoleState atStart(eventRecording(2, 0));
    EXPECT_TRUE(atStart.playEnabled);
    EXPECT_FALSE(atStart.playingLook);
    EXPECT_FALSE(atStart.stopEnabled) << "stopped at frame 0 already";
    EXPECT_TRUE(atStart.previousEnabled && atStart.nextEnabled);
    EXPECT_TRUE(atStart.forwardEnabled);
    EXPECT_FALSE(atStart.backEnabled);
    EXPECT_EQ(atStart.barMaximum, 599);
    EXPECT_EQ(atStart.readout, L"-10.0");

    const ConsoleState playing(eventRecording(1, 295));
    EXPECT_TRUE(playing.playingLook);
    EXPECT_TRUE(playing.stopEnabled && playing.forwardEnabled && playing.backEnabled);
    EXPECT_EQ(playing.barValue, 295);
    EXPECT_EQ(playing.readout, L"-00.1");

    const ConsoleState atEnd(eventRecording(3, 599));
    EXPECT_FALSE(atEnd.playingLook) << "paused shows the play look";
    EXPECT_FALSE(atEnd.forwardEnabled);
    EXPECT_TRUE(atEnd.backEnabled);
    EXPECT_EQ(atEnd.readout, L"+09.9");
}

TEST(ConsoleState, EventBarValueIsClampedIntoTheRange)
{
    PlayerSnapshot player = eventRecording(2, 700);
    EXPECT_EQ(ConsoleState(player).barValue, 599);
    player.hasInfo = false;
    player.frame = 5;
    const ConsoleState noInfo(player);
    EXPECT_EQ(noInfo.barValue, 0);
    EXPECT_FALSE(noInfo.forwardEnabled) << "no information: no last frame to step to";
}

TEST(ConsoleState, ContinuousModeStepsByChapterOverAllFrames)
{
    const ConsoleState first(continuousRecording(1, 0, 10));
    EXPECT_TRUE(first.forwardEnabled);
    EXPECT_FALSE(first.backEnabled);
    EXPECT_EQ(first.barMaximum, 1499);
    EXPECT_EQ(first.barValue, 10);
    EXPECT_FALSE(first.showsReadout) << "no readout in the continuous mode";

    const ConsoleState last(continuousRecording(2, 2, 299));
    EXPECT_FALSE(last.forwardEnabled);
    EXPECT_TRUE(last.backEnabled);
    EXPECT_TRUE(last.movesBar);
    EXPECT_EQ(last.barValue, 2 * 600 + 299);

    PlayerSnapshot closed = continuousRecording(0, 1, 5);
    const ConsoleState nothing(closed);
    EXPECT_FALSE(nothing.movesBar) << "with nothing open the bar stays where it is";
    EXPECT_FALSE(nothing.playEnabled || nothing.forwardEnabled || nothing.backEnabled);
}

} // namespace
