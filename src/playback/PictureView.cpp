#include "playback/PictureView.h"

#include "playback/GammaCorrection.h"
#include "playback/Letterbox.h"
#include "image/Image.h"
#include "ui/GdiHandles.h"

#include <memory>

namespace {

PictureRect client_target(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    return letterbox(client.right - client.left, client.bottom - client.top);
}

void fill_white(HDC dc, const RECT& area) { FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))); }

void fill_white(HWND window, HDC dc)
{
    RECT client{};
    GetClientRect(window, &client);
    fill_white(dc, client);
}

} // namespace

PictureView::PictureView() : drawdib_(DrawDibOpen(), &DrawDibClose) {}

PictureView::~PictureView() = default;

void PictureView::use_fallback_drawing() { drawdib_.reset(); }

void PictureView::draw(HWND window, HDC dc, const Image* picture, const GammaCorrection& brightness) const
{
    if (picture == nullptr) {
        fill_white(window, dc);
        return;
    }
    draw_into(dc, client_target(window), picture, brightness);
}

void PictureView::draw_into(HDC dc, const PictureRect& target, const Image* picture,
                            const GammaCorrection& brightness) const
{
    if (picture == nullptr) {
        fill_white(dc, RECT{target.x, target.y, target.x + target.width, target.y + target.height});
        return;
    }
    // Brightness goes onto a copy, so the stored picture stays as decoded; at gamma 1.0 the
    // copy would equal it and is skipped on this per-frame path.
    std::unique_ptr<Image> brightened;
    if (brightness.gamma() != 1.0) {
        brightened = brightness.applied(*picture);
    }
    const Image* shown = brightened != nullptr ? brightened.get() : picture;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = shown->width();
    header.biHeight = shown->height();
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(shown->size());
    // The drawing calls take non-const bits but only read them.
    void* bits = const_cast<uint8_t*>(shown->pixels());
    if (drawdib_ != nullptr) {
        DrawDibDraw(drawdib_.get(), dc, target.x, target.y, target.width, target.height, &header, bits, 0, 0,
                    shown->width(), shown->height(), 0);
        return;
    }
    SetStretchBltMode(dc, HALFTONE);
    StretchDIBits(dc, target.x, target.y, target.width, target.height, 0, 0, shown->width(), shown->height(), bits,
                  reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, SRCCOPY);
}

bool PictureView::copy_to_clipboard(HWND window, const Image* picture, const GammaCorrection& brightness) const
{
    const PictureRect target = client_target(window);
    const WindowDc screen(window);
    if (screen.get() == nullptr) {
        return false;
    }
    const MemoryDc memory(screen.get());
    if (memory.get() == nullptr) {
        return false;
    }
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), target.width, target.height));
    if (!bitmap) {
        return false;
    }
    {
        // Drawn again from the picture rather than taken from the screen, where another window
        // may lie over the player.
        const SelectedObject selected(memory.get(), bitmap.get());
        draw_into(memory.get(), PictureRect{0, 0, target.width, target.height}, picture, brightness);
    }
    if (!OpenClipboard(window)) {
        return false;
    }
    EmptyClipboard();
    const bool copied = SetClipboardData(CF_BITMAP, bitmap.get()) != nullptr;
    CloseClipboard();
    if (copied) {
        bitmap.release(); // the clipboard owns it from here on
    }
    return copied;
}

void PictureView::show_loading_text(HWND window)
{
    const WindowDc window_dc(window);
    const HDC dc = window_dc.get();
    if (dc == nullptr) {
        return;
    }
    fill_white(window, dc);
    static const wchar_t text[] = L"Now Loading...";
    const int length = static_cast<int>(std::size(text) - 1);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text, length, &extent);
    RECT client{};
    GetClientRect(window, &client);
    TextOutW(dc, (client.right - extent.cx) / 2, (client.bottom - extent.cy) / 2, text, length);
}
