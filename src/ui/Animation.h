#pragma once
// The start-up animation: a 227 x 51 child window that shows its picture shortly after it
// was started and then keeps it.
#include "ResourceIds.h"
#include "ui/AlphaImage.h"
#include "ui/Window.h"

#include <memory>

class Animation : public Window {
public:
    // Creates a visible "DefaultWindow" child of `parent` at (x, y). The first frame stays
    // empty; the second is the "IMAGE" resource `imageId` (no picture when it is missing).
    Animation(HWND parent, int x, int y, int imageId = IDB_START_ANIMATION);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int frameIndex() const { return index_; }
    void setFrameIndex(int index) { index_ = index; }
    // Index 0 and timer 0 every 100 ms: the picture appears after 100 ms and then stays.
    void start();

    static constexpr int width = 227;
    static constexpr int height = 51;

private:
    void onPaint();
    void onTimer();

    std::unique_ptr<AlphaImage> frames_[2];
    int index_ = 0;
};
