// What the info panel shows: the time rule of each mode, the kind labels, incomplete
// information and nothing open.
#include "panels/InfoContent.h"

#include "panels/RecordedInfo.h"
#include "recording/DataType.h"
#include "support/TestZone.h"

#include <gtest/gtest.h>

namespace {

class InfoContentTest : public ::testing::Test {
protected:
    void SetUp() override { use_recorder_time_zone(); }

    const int64_t recorded_ = jst_seconds(2024, 5, 17, 8, 42, 16);
    const int64_t detected_ = jst_seconds(2024, 5, 17, 8, 42, 31);
};

TEST_F(InfoContentTest, NothingOpenShowsDashesAndNoLabel)
{
    const InfoContent content = InfoContent::of(nullptr, data_type_event, detected_, true);
    EXPECT_EQ(content.state, InfoContent::nothing_open);
    EXPECT_EQ(content.date, "----/--/--");
    EXPECT_EQ(content.clock, "--:--:--");
    EXPECT_EQ(content.label_image, 0);
    EXPECT_FALSE(content.warning);
}

TEST_F(InfoContentTest, IncompleteInformationShowsOnlyTheNote)
{
    RecordedInfo info;
    info.incomplete = true;
    info.recorded = recorded_;
    const InfoContent content = InfoContent::of(&info, data_type_event, detected_, true);
    EXPECT_EQ(content.state, InfoContent::incomplete);
    EXPECT_EQ(content.clock, "--:--:--");
    EXPECT_EQ(content.label_image, 0);
    EXPECT_FALSE(content.warning);
}

TEST_F(InfoContentTest, AnEventShowsItsDetectionTimeUnlessUnknownOrTheRecordingTime)
{
    RecordedInfo info;
    info.recorded = recorded_;
    info.kind = 1;
    InfoContent content = InfoContent::of(&info, data_type_event, detected_, false);
    EXPECT_EQ(content.state, InfoContent::complete);
    EXPECT_EQ(content.date, "2024/05/17");
    EXPECT_EQ(content.clock, "08:42:31");
    EXPECT_EQ(content.label_image, 288); // オート記録
    EXPECT_EQ(InfoContent::of(&info, data_type_event, recorded_, false).clock, "08:42:16");
    EXPECT_EQ(InfoContent::of(&info, data_type_event, 0, false).clock, "08:42:16");
    info.recorded = 0;
    EXPECT_EQ(InfoContent::of(&info, data_type_event, 0, false).clock, "--:--:--")
        << "an unknown time is no time in 1970";
}

TEST_F(InfoContentTest, ContinuousShowsTheRecordingTimeAndAPictureItsOwn)
{
    RecordedInfo info;
    info.recorded = recorded_;
    info.kind = 12;
    InfoContent continuous = InfoContent::of(&info, data_type_continuous, detected_, true);
    EXPECT_EQ(continuous.clock, "08:42:16");
    EXPECT_EQ(continuous.label_image, 429);
    EXPECT_TRUE(continuous.warning);
    info.kind = 11;
    EXPECT_EQ(InfoContent::of(&info, data_type_image, detected_, false).clock, "08:42:31");
    const InfoContent undated = InfoContent::of(&info, data_type_image, 0, false);
    EXPECT_EQ(undated.date, "----/--/--");
    EXPECT_EQ(undated.clock, "--:--:--");
    EXPECT_EQ(undated.label_image, 430);
    info.recorded = 0;
    EXPECT_EQ(InfoContent::of(&info, data_type_continuous, detected_, false).date, "----/--/--");
}

TEST_F(InfoContentTest, EveryKindCodeHasItsLabelAndOthersNone)
{
    EXPECT_EQ(InfoContent::label_image_of(0), 287);
    EXPECT_EQ(InfoContent::label_image_of(1), 288);
    EXPECT_EQ(InfoContent::label_image_of(2), 286);
    EXPECT_EQ(InfoContent::label_image_of(11), 430);
    EXPECT_EQ(InfoContent::label_image_of(12), 429);
    EXPECT_EQ(InfoContent::label_image_of(3), 0);
    EXPECT_EQ(InfoContent::label_image_of(-1), 0);
}

} // namespace
