#pragma once
// Drawing the current picture into the player window: letterboxed to 4:3 on white, with the
// brightness applied to a copy so the stored picture stays as decoded.
#include <windows.h>
#include <vfw.h>

#include <memory>
#include <type_traits>

#include "playback/Letterbox.h"

class GammaCorrection;
class Image;

class PictureView {
public:
    PictureView();
    ~PictureView();
    PictureView(const PictureView&) = delete;
    PictureView& operator=(const PictureView&) = delete;

    // Paints `picture` (or white when there is none) into the client area of `window` on `dc`.
    void draw(HWND window, HDC dc, const Image* picture, const GammaCorrection& brightness) const;
    // Puts what the window shows of the picture on the clipboard as a bitmap: `picture` drawn
    // with the brightness at the size shown, whatever lies over the window; false when nothing
    // could be copied.
    bool copy_to_clipboard(HWND window, const Image* picture, const GammaCorrection& brightness) const;
    // Fills the window white and writes "Now Loading..." in its centre, at once.
    static void show_loading_text(HWND window);

    // Drawing without DrawDib (the fallback when DrawDibOpen fails); for tests.
    void use_fallback_drawing();

private:
    // Draws `picture` (or white when there is none) into `target` on `dc`.
    void draw_into(HDC dc, const PictureRect& target, const Image* picture, const GammaCorrection& brightness) const;

    // Absent when DrawDibOpen failed: drawing then stretches the bits itself.
    std::unique_ptr<std::remove_pointer_t<HDRAWDIB>, decltype(&DrawDibClose)> drawdib_;
};
