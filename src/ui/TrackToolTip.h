#pragma once
// A tooltip control shared by a panel's controls: fixed tips over buttons, and one tracking tip
// that follows a track bar's thumb.
#include "ui/Window.h"

#include <commctrl.h>

#include <string>

class TrackToolTip : public Window {
public:
    // A topmost "tooltips_class32" popup owned by `parent`, shown without activation.
    explicit TrackToolTip(HWND parent);

    // A tip over `button` (its window rectangle) that shows `text` when the pointer rests there.
    void addButtonTool(const std::wstring& text, HWND button);
    // A tip for `window` that shows only while tracking.
    void addTrackingTool(HWND window, const std::wstring& text);
    // Starts tracking the tool of `window` with `text`.
    void show(HWND window, const std::wstring& text);
    void hide(HWND window);
    void setText(HWND window, const std::wstring& text);
    // Screen coordinates.
    void move(int x, int y);

    // The text the tool of `window` shows now (empty without such a tool).
    std::wstring text(HWND window) const;
    bool isTracking() const { return tracking_; }

private:
    TOOLINFOW toolOf(HWND window, const std::wstring* text = nullptr) const;

    HWND parent_;
    bool tracking_ = false;
};
