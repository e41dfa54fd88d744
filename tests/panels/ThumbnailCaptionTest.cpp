#include "panels/ThumbnailCaption.h"

#include "support/TestZone.h"

#include <gtest/gtest.h>

namespace {

class ThumbnailCaptionTest : public ::testing::Test {
protected:
    void SetUp() override { use_recorder_time_zone(); }
};

TEST_F(ThumbnailCaptionTest, ShowsTheCaptureTimeInLocalTime)
{
    EXPECT_EQ(thumbnail_caption(jst_seconds(2026, 12, 8, 9, 5, 2)), L"2026/12/08 09:05:02");
    EXPECT_EQ(thumbnail_caption(jst_seconds(2000, 1, 1, 0, 0, 0)), L"2000/01/01 00:00:00");
    // Beyond the 32-bit calendar of the program's C runtime.
    EXPECT_EQ(thumbnail_caption(jst_seconds(2099, 12, 31, 23, 59, 59)), L"2099/12/31 23:59:59");
}

TEST_F(ThumbnailCaptionTest, NoTimeGivesDashes)
{
    EXPECT_EQ(thumbnail_caption(0), L"----/--/-- --:--:--");
}

} // namespace
