#include "recording/VideoInfo07.h"

#include "ArchiveFixture.h"

namespace {

using VideoInfo = ArchiveFixture;

TEST_F(VideoInfo, DescribesTheLoadedArchiveAndFollowsIt)
{
    HeaderFields header;
    header.kind = 0x20;
    header.detection_ms = 1100;
    header.g1_count = 100;
    header.g2_count = 600;
    ArchiveBuilder builder(header);
    builder.information_block().picture(1000).picture(1100).picture(1200);
    load_event(builder.bytes());
    const VideoInfo07 info(archive);
    const IVideoInfo& view = info;
    EXPECT_EQ(view.short_code_text(), L"0000");
    EXPECT_EQ(view.long_code_text(), L"00000000");
    EXPECT_EQ(view.kind_code(), 2);
    EXPECT_EQ(view.detection_index(), 3);
    ASSERT_NE(view.detection_record(), nullptr);
    EXPECT_EQ(view.detection_record()->marker, 2);
    EXPECT_EQ(view.detection_record()->ms, 1100);
    EXPECT_NEAR(view.header_g1(), -4.35996, 1e-12);
    EXPECT_DOUBLE_EQ(view.header_g2(), 88 * 0.01468);
    EXPECT_EQ(view.frame_count(), 7);
    EXPECT_NE(view.frame_record(6), nullptr);
    EXPECT_EQ(view.frame_record(-1), nullptr);
    EXPECT_EQ(view.frame_record(7), nullptr);
    EXPECT_EQ(view.start_time(), jst_seconds(2010, 1, 2, 3, 4, 5));
    EXPECT_EQ(view.end_time(), view.start_time());
    EXPECT_EQ(view.recording_time(), view.start_time());

    // The view follows the archive: after a reset nothing is left to describe.
    archive.reset();
    EXPECT_EQ(view.frame_count(), 0);
    EXPECT_EQ(view.detection_record(), nullptr);
    EXPECT_EQ(view.frame_record(0), nullptr);
}

TEST_F(VideoInfo, AFailedDetectionHasNoRecord)
{
    HeaderFields header;
    header.detection_ms = 5000; // after the last frame
    ArchiveBuilder builder(header);
    builder.information_block().picture(1000).picture(1100);
    load_event(builder.bytes());
    const VideoInfo07 info(archive);
    EXPECT_EQ(info.kind_code(), 0);
    EXPECT_EQ(info.detection_index(), -1);
    EXPECT_EQ(info.detection_record(), nullptr);
}

} // namespace
