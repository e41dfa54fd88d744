#pragma once
// A label that looks and acts like a hyperlink: the control's text, underlined, in blue, with
// the hand cursor; a click opens the support web page, or tells its address when no browser
// opens it.
#include "ui/GdiHandles.h"
#include "ui/Label.h"

class LinkLabel : public Label {
public:
    static constexpr COLORREF linkColour = RGB(0, 0, 255);

    // Attaches to `control` as Label does, gives it an underlined copy of its font (a control
    // without a font keeps the system's) and takes over its text.
    explicit LinkLabel(HWND control);
    ~LinkLabel() override;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void onButtonUp();

    GdiObject<HFONT> underlined_;
};

// Opens the support web page (string-table entry support_address) with the shell. Throws
// WindowException with the system's text when the address cannot be loaded or opened.
void openSupportPage();
