// The player's frame clock against a simulated sound clock that runs exactly as told.
#include "playback/PlaybackClock.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Plays `frames` frames at `period` ms: each tick comes when the clock asked for it, the sound
// clock having moved on by `drift` times the delay asked for (1: the deadline is met exactly;
// more: the machine falls behind). Returns the frames asked for, in order.
std::vector<int> requested_frames(double period, int frames, double drift)
{
    PlaybackClock clock;
    clock.set_period(period);
    std::vector<int> requested;
    double position = 0;
    for (int ticks = 0; ticks < 10 * frames; ++ticks) {
        const PlaybackClock::Tick tick = clock.tick(position, frames);
        if (tick.due >= frames - 1) {
            break;
        }
        requested.push_back(tick.next);
        position += drift * tick.delay_ms;
    }
    return requested;
}

TEST(PlaybackClock, ASoundClockMovingOnePeriodPerTickHasEveryFrameAskedForInOrder)
{
    for (const double period : {1000.0 / 30, 100.0}) {
        PlaybackClock clock;
        clock.set_period(period);
        // The sound clock moves exactly one period between ticks: every frame is due in turn.
        std::vector<int> asked;
        for (int frame = 0; frame < 899; ++frame) {
            const PlaybackClock::Tick tick = clock.tick(frame * period, 900);
            EXPECT_EQ(tick.due, frame) << "period " << period;
            asked.push_back(tick.next);
        }
        for (size_t i = 0; i < asked.size(); ++i) {
            ASSERT_EQ(asked[i], static_cast<int>(i) + 1) << "period " << period << ": a frame was skipped";
        }
    }
}

TEST(PlaybackClock, EachTickIsAimedAtTheMomentTheNextFrameBegins)
{
    // Ticks that come when asked: every frame of the recording is asked for once, in order.
    const std::vector<int> asked = requested_frames(1000.0 / 30, 900, 1.0);
    ASSERT_EQ(asked.size(), 899u);
    for (size_t i = 0; i < asked.size(); ++i) {
        ASSERT_EQ(asked[i], static_cast<int>(i) + 1);
    }
    // In whole milliseconds, from anywhere inside a frame: the wait ends at the next boundary.
    PlaybackClock clock;
    clock.set_period(1000.0 / 30);
    EXPECT_EQ(clock.tick(0, 900).delay_ms, 34u);   // frame 1 begins at 33.3 ms
    EXPECT_EQ(clock.tick(40, 900).delay_ms, 27u);  // frame 2 at 66.7 ms
    EXPECT_EQ(clock.tick(66, 900).delay_ms, 1u);
    EXPECT_EQ(clock.tick(67, 900).delay_ms, 33u);  // frame 2 has begun: frame 3 at 100 ms
    EXPECT_EQ(clock.tick(67, 900).due, 2);
}

TEST(PlaybackClock, AClockRunningAheadOfTheTicksSkipsToTheDueFrame)
{
    // The sound moves 2.5 periods between ticks (decoding and drawing fall behind): the frame
    // asked for is always the one after the frame due, so frames are skipped, never queued.
    PlaybackClock clock;
    const double period = 1000.0 / 30;
    clock.set_period(period);
    int previous = 0;
    for (int tick_number = 1; tick_number < 100; ++tick_number) {
        const double position = tick_number * 2.5 * period;
        const PlaybackClock::Tick tick = clock.tick(position, 900);
        EXPECT_EQ(tick.due, static_cast<int>(tick_number * 2.5));
        EXPECT_EQ(tick.next, tick.due + 1);
        EXPECT_GE(tick.next - previous, 2) << "frames asked for one by one while behind";
        previous = tick.next;
        EXPECT_LE(tick.delay_ms, static_cast<unsigned>(period) + 1);
    }
}

TEST(PlaybackClock, ASeekReAimsTheDeadlineFromTheNewPosition)
{
    PlaybackClock clock;
    clock.set_period(100.0);
    // Playing near the end of frame 4, the next tick is due in 10 ms ...
    EXPECT_EQ(clock.tick(490, 600).delay_ms, 10u);
    // ... but after a seek to frame 300 (sound restarted there) it is a whole period away.
    const PlaybackClock::Tick after_seek = clock.tick(300 * 100.0, 600);
    EXPECT_EQ(after_seek.due, 300);
    EXPECT_EQ(after_seek.next, 301);
    EXPECT_EQ(after_seek.delay_ms, 100u);
    // Without sound the clock's own time base does the same, and survives the timer wrapping.
    clock.start(0xFFFFFF00u, 30000);
    EXPECT_DOUBLE_EQ(clock.position_at(0xFFFFFF00u + 0x150u), 30000 + 0x150);
    EXPECT_EQ(clock.tick(clock.position_at(0xFFFFFF00u), 600).delay_ms, 100u);
}

TEST(PlaybackClock, TheLastFrameIsNeverPassedAndAnEmptyRecordingStaysAtZero)
{
    PlaybackClock clock;
    clock.set_period(100.0);
    const PlaybackClock::Tick at_end = clock.tick(99999, 600);
    EXPECT_EQ(at_end.due, 599);
    EXPECT_EQ(at_end.next, 599);
    EXPECT_EQ(at_end.delay_ms, 0u);
    const PlaybackClock::Tick empty = clock.tick(500, 0);
    EXPECT_EQ(empty.due, 0);
    EXPECT_EQ(empty.next, 0);
    EXPECT_EQ(clock.tick(-50, 600).due, 0); // before the start (a clock set back) is frame 0
}

} // namespace
