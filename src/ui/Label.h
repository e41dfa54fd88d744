#pragma once
// A static control that draws itself: a text in a chosen colour and alignment, or a picture, on
// the dialog background. It takes over a control that exists already (one a dialog template
// made) instead of creating a window; from then on the control owns the label.
#include "ui/AlphaImage.h"
#include "ui/Window.h"

#include <memory>
#include <optional>
#include <string>

// Where a text of the given size starts inside a box of the given size for one of the nine
// alignments: 0 top left, 1 top centre, 2 top right, 3 middle left, 4 middle centre,
// 5 middle right, 6 bottom left, 7 bottom centre, 8 bottom right; any other value is top left.
struct TextOrigin {
    int x;
    int y;
};
TextOrigin textOrigin(int alignment, int boxWidth, int boxHeight, int textWidth, int textHeight);

class Label : public Window {
public:
    static constexpr int middleLeft = 3;

    // Attaches to `control`, with no text, middle-left alignment, black and no picture. A null
    // handle leaves the label unattached.
    explicit Label(HWND control);
    ~Label() override;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    const std::optional<std::wstring>& text() const { return text_; }
    int alignment() const { return alignment_; }
    COLORREF colour() const { return colour_; }

    // Draws the label into `dc` as WM_PAINT does (also answers WM_PRINTCLIENT).
    void paint(HDC dc) const;

protected:
    void setText(std::wstring text);
    void setAlignment(int alignment) { alignment_ = alignment; }
    void setColour(COLORREF colour) { colour_ = colour; }
    // A picture is drawn alone, centred at its own size, even when there is a text too.
    void setPicture(std::unique_ptr<AlphaImage> picture) { picture_ = std::move(picture); }

private:
    void onPaint();
    void onEraseBackground(HDC dc) const;

    std::optional<std::wstring> text_;
    int alignment_ = middleLeft;
    COLORREF colour_ = RGB(0, 0, 0);
    std::unique_ptr<AlphaImage> picture_;
};
