#pragma once
// What an ImageButton tells its owner.
class ImageButton;

class ImageButtonListener {
public:
    // Released over the button after a press (or Enter released after Enter pressed it).
    virtual void buttonClicked(ImageButton* button) = 0;
    // Pressed, and again every 100 ms while it is held.
    virtual void buttonPressed(ImageButton* button) = 0;

protected:
    ~ImageButtonListener() = default;
};
