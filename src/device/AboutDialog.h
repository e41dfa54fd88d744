#pragma once
// The version dialog: the program's name, its file version and a link to the support page.
#include "ui/Dialog.h"
#include "ui/GdiHandles.h"

#include <string>

// The version text of the program's own file ("2.10.3"), or the string-table text for a file
// without version information.
std::wstring getFileVersionText();
// The same for any file; for the tests' own version resources and files without one.
std::wstring fileVersionText(const std::wstring& path);

class AboutDialog : public Dialog {
public:
    AboutDialog();

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    HFONT copyrightFont() const { return font_.get(); }

private:
    void onInitDialog();

    GdiObject<HFONT> font_; // Arial 11 points for the copyright line
};
