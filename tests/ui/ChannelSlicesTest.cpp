// The three-slice channel: which columns of which picture go where.
#include "ui/ChannelSlices.h"

#include <gtest/gtest.h>

namespace {

TEST(ChannelSlices, PlayedLeftOfTheThumbChannelRightOfItEndsKeptWhole)
{
    // Channel picture 40 wide, thumb 16 (half 8), thumb at 100 on a 300-pixel bar.
    const ChannelSlices slices(40, 16, 100, 300);
    ASSERT_EQ(slices.count(), 4);
    const SliceCopy& leftEnd = slices[0];
    EXPECT_TRUE(leftEnd.played);
    EXPECT_EQ(leftEnd.sourceX, 0);
    EXPECT_EQ(leftEnd.sourceWidth, 8);
    EXPECT_EQ(leftEnd.destX, 0);
    EXPECT_EQ(leftEnd.destWidth, 8);

    const SliceCopy& playedMiddle = slices[1];
    EXPECT_TRUE(playedMiddle.played);
    EXPECT_EQ(playedMiddle.sourceX, 8);
    EXPECT_EQ(playedMiddle.sourceWidth, 24);
    EXPECT_EQ(playedMiddle.destX, 8);
    EXPECT_EQ(playedMiddle.destWidth, 100);

    const SliceCopy& rightEnd = slices[2];
    EXPECT_FALSE(rightEnd.played);
    EXPECT_EQ(rightEnd.sourceX, 32);
    EXPECT_EQ(rightEnd.sourceWidth, 8);
    EXPECT_EQ(rightEnd.destX, 292);
    EXPECT_EQ(rightEnd.destWidth, 8);

    const SliceCopy& channelMiddle = slices[3];
    EXPECT_FALSE(channelMiddle.played);
    EXPECT_EQ(channelMiddle.sourceX, 8);
    EXPECT_EQ(channelMiddle.sourceWidth, 24);
    EXPECT_EQ(channelMiddle.destX, 108);
    EXPECT_EQ(channelMiddle.destWidth, 300 - 100 - 16);
    // The pieces tile the bar: the played middle ends under the thumb's middle, where the
    // channel's middle begins, and that ends where the right end begins.
    EXPECT_EQ(playedMiddle.destX + playedMiddle.destWidth, channelMiddle.destX);
    EXPECT_EQ(channelMiddle.destX + channelMiddle.destWidth, rightEnd.destX);
}

TEST(ChannelSlices, ThumbAtEitherEndLeavesOneMiddleEmpty)
{
    const ChannelSlices atStart(40, 16, 0, 300);
    EXPECT_EQ(atStart[1].destWidth, 0);
    EXPECT_EQ(atStart[3].destX, 8);
    EXPECT_EQ(atStart[3].destWidth, 284);
    const ChannelSlices atEnd(40, 16, 284, 300);
    EXPECT_EQ(atEnd[1].destWidth, 284);
    EXPECT_EQ(atEnd[3].destWidth, 0);
}

TEST(ChannelSlices, NothingWhenTheThumbIsAsWideAsTheChannel)
{
    EXPECT_TRUE(ChannelSlices(16, 16, 0, 300).empty());
    EXPECT_TRUE(ChannelSlices(10, 16, 0, 300).empty());
    EXPECT_FALSE(ChannelSlices(17, 16, 0, 300).empty());
}

} // namespace
