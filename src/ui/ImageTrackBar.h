#pragma once
// A slider drawn from pictures: a channel (optionally in three slices with a played part left of
// the thumb) and a thumb. It reports presses, drags and releases to its listener, can show the
// value in a tracking tooltip, and can refuse drags before the last stopwatch mark (the barrier).
#include "ui/AlphaImage.h"
#include "ui/TrackScale.h"
#include "ui/Window.h"

#include <functional>
#include <memory>
#include <string>

class ImageTrackBarListener;
class TrackToolTip;

class ImageTrackBar : public Window {
public:
    using ValueText = std::function<std::wstring(int value)>;

    // A visible child of `parent` at (x, y) in its client coordinates; range 0 ... 100, value 0.
    ImageTrackBar(HWND parent, int x, int y, int width, int height);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The three-slice channel: played part left of the thumb, channel right of it.
    virtual void drawChannel(HDC dc, int width, int height);

    // Resource ids of type "IMAGE"; `playedId` 0 for none.
    void setImages(int thumbId, int channelId, int playedId);
    // A maximum below the minimum is raised to it; the value is clamped in silently.
    void setRange(int minimum, int maximum);
    // Clamped into the range; `notify` reports a changed value as trackChanged.
    void setValue(int value, bool notify);
    int value() const { return value_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    int thumbX() const { return thumbX_; }
    // Held by the user (pressed and not yet released).
    bool isHeld() const;

    void setListener(ImageTrackBarListener* listener) { listener_ = listener; }
    // Shown while the bar is held, with the value text; the bar adds its own tracking tool.
    void setToolTip(TrackToolTip* tooltip);
    void setValueText(ValueText valueText) { valueText_ = std::move(valueText); }
    void setThreeSlice(bool threeSlice);
    void setMarks(const TrackMarks& marks);
    const TrackMarks& marks() const { return marks_; }
    // While set, a drag cannot go left of the last lap mark (or the start mark without laps).
    void setBarrier(bool barrier) { barrier_ = barrier; }
    bool barrier() const { return barrier_; }

    // The value-text function's text, else the value in decimal.
    std::wstring valueText() const;

protected:
    TrackScale scale() const;
    int thumbWidth() const;

private:
    int clientWidth() const;
    // px raised to the barrier while it is up.
    bool belowBarrier(int px) const;
    void moveThumb();
    void onButtonDown(int x);
    void onMouseMove(int x);
    void onTimer();
    void onButtonUp(int x);
    void onCaptureLost();
    // Stops the drag's timer and tooltip and reports the end.
    void endDrag();
    void onPaint();
    void paintInto(HDC dc, int width, int height);
    bool onEraseBackground(HDC dc);
    void moveToolTip(int px);

    ImageTrackBarListener* listener_ = nullptr;
    std::unique_ptr<AlphaImage> thumb_;
    std::unique_ptr<AlphaImage> channel_;
    std::unique_ptr<AlphaImage> played_;
    int thumbX_ = 0;
    int minimum_ = 0;
    int maximum_ = 100;
    int value_ = 0;
    bool threeSlice_ = false;
    TrackToolTip* tooltip_ = nullptr;
    ValueText valueText_;
    TrackMarks marks_;
    bool barrier_ = false;
    bool dragging_ = false; // pressed and holding the capture, until the release or its loss
};
