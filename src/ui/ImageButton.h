#pragma once
// A push button drawn from up to three pictures (normal, pressed, disabled), or from a caption
// without them. A press reports at once and then every 100 ms while the button is held; a
// release over the button reports a click.
#include "ui/AlphaImage.h"
#include "ui/GdiHandles.h"
#include "ui/Window.h"

#include <memory>
#include <string>

class ImageButtonListener;

class ImageButton : public Window {
public:
    // A visible child of `parent` at (x, y) in its client coordinates.
    ImageButton(HWND parent, int x, int y, int width, int height);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Resource ids of type "IMAGE"; 0 for none. Replaces the pictures set before.
    void setImages(int normalId, int pressedId, int disabledId);
    void setListener(ImageButtonListener* listener) { listener_ = listener; }
    // Without the edge a pressed button without a pressed picture does not move.
    void clearDrawEdge();
    void setCursor(HCURSOR cursor) { cursor_ = cursor; }
    // Shown without pictures, centred.
    void setCaption(const std::wstring& caption);
    // The caption's font; the button owns it.
    void setFont(HFONT font);
    // Draws the button pressed whether or not it is held.
    void setShownPressed(bool pressed);

    bool drawsEdge() const { return drawEdge_; }
    // Pressed as drawn: shown pressed, or holding the mouse.
    bool isPressed() const;

protected:
    // The pictures in use; PlayButton exchanges them.
    std::unique_ptr<AlphaImage> normal_;
    std::unique_ptr<AlphaImage> pressed_;
    std::unique_ptr<AlphaImage> disabled_;

private:
    void onPress();
    void onTimer();
    void onButtonUp(int x, int y);
    void onEnterUp();
    void onPaint();
    void onEraseBackground(HDC dc);
    bool onSetCursor();
    void repaintPressState();

    ImageButtonListener* listener_ = nullptr;
    std::wstring caption_;
    bool drawEdge_ = true;
    bool shownPressed_ = false;
    // Set while Enter holds the button, so that only the release of that press clicks.
    bool enterHeld_ = false;
    GdiObject<HFONT> font_;
    HCURSOR cursor_ = nullptr;
};
