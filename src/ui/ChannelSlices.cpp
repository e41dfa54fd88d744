#include "ui/ChannelSlices.h"

ChannelSlices::ChannelSlices(int channelWidth, int thumbWidth, int thumbX, int barWidth)
{
    if (thumbWidth >= channelWidth) {
        return;
    }
    const int half = thumbWidth / 2;
    const int middle = channelWidth - thumbWidth;
    copies_[0] = {true, 0, half, 0, half};
    copies_[1] = {true, half, middle, half, thumbX};
    copies_[2] = {false, channelWidth - half, half, barWidth - half, half};
    copies_[3] = {false, half, middle, thumbX + half, barWidth - thumbX - 2 * half};
    count_ = 4;
}
