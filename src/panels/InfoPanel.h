#pragma once
// The date and time of the open recording in digit pictures, the label of its kind and the
// warning icon; or the note that its information is incomplete.
#include "panels/InfoContent.h"
#include "ui/AlphaImage.h"
#include "ui/Window.h"

#include <map>
#include <memory>

class IDashboardSource;

class InfoPanel : public Window {
public:
    // A visible child of `parent`; the object belongs to its window.
    InfoPanel(HWND parent, const IDashboardSource& source);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Draws again (after every new frame and after opening).
    void repaint();
    // What the panel shows now.
    InfoContent content() const;

    static constexpr int background_image = 10026;
    static constexpr int warning_image = 408;

private:
    void draw(HDC dc);
    static void draw_glyphs(HDC dc, int x, int y, const std::string& text,
                            const std::map<char, std::unique_ptr<AlphaImage>>& glyphs);

    const IDashboardSource& source_;
    AlphaImage background_{background_image};
    AlphaImage warning_{warning_image};
    std::map<char, std::unique_ptr<AlphaImage>> date_glyphs_;
    std::map<char, std::unique_ptr<AlphaImage>> time_glyphs_;
    std::map<int, std::unique_ptr<AlphaImage>> labels_;
};
