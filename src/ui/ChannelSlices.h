#pragma once
// The three-slice drawing of a track bar's channel: fixed ends and stretched middles, the part
// left of the thumb from the played-part picture and the rest from the channel picture, so that a
// channel picture of any width fills a bar of any width.

// One copy of picture columns into the bar, full height.
struct SliceCopy {
    bool played = false; // from the played-part picture (or the channel when there is none)
    int sourceX = 0;
    int sourceWidth = 0;
    int destX = 0;
    int destWidth = 0;
};

class ChannelSlices {
public:
    // `channelWidth` is the channel picture's width, `thumbWidth` the thumb's, `thumbX` the
    // thumb's left edge and `barWidth` the client width.
    ChannelSlices(int channelWidth, int thumbWidth, int thumbX, int barWidth);

    // Nothing is drawn when the thumb is at least as wide as the channel picture.
    bool empty() const { return count_ == 0; }
    int count() const { return count_; }
    // In drawing order: played left end, played middle, channel right end, channel middle.
    const SliceCopy& operator[](int index) const { return copies_[index]; }

private:
    SliceCopy copies_[4];
    int count_ = 0;
};
