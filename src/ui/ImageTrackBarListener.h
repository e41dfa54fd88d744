#pragma once
// What an ImageTrackBar tells its owner.
class ImageTrackBar;

class ImageTrackBarListener {
public:
    // The value moved (or, while the bar is held, every 100 ms).
    virtual void trackChanged(ImageTrackBar* bar) = 0;
    // The user pressed the bar.
    virtual void trackStarted(ImageTrackBar* bar) = 0;
    // The user let go of the bar.
    virtual void trackEnded(ImageTrackBar* bar) = 0;

protected:
    ~ImageTrackBarListener() = default;
};
