#include "playback/Letterbox.h"

#include <gtest/gtest.h>

namespace {

void expect_rect(const PictureRect& r, int x, int y, int width, int height)
{
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, width);
    EXPECT_EQ(r.height, height);
}

TEST(Letterbox, WideWindowGetsBandsLeftAndRight)
{
    expect_rect(letterbox(800, 480), 80, 0, 640, 480);
    expect_rect(letterbox(801, 480), 80, 0, 640, 480); // the odd pixel goes to the right band
}

TEST(Letterbox, TallWindowGetsBandsAboveAndBelow)
{
    expect_rect(letterbox(640, 600), 0, 60, 640, 480);
    expect_rect(letterbox(321, 400), 0, 80, 321, 240); // 321 * 480 / 640 = 240.75 truncated
}

TEST(Letterbox, ExactShapeAndEmptyWindows)
{
    expect_rect(letterbox(320, 240), 0, 0, 320, 240);
    expect_rect(letterbox(0, 0), 0, 0, 0, 0);
    expect_rect(letterbox(100, 0), 50, 0, 0, 0);
}

} // namespace
