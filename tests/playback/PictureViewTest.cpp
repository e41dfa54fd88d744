#include "playback/PictureView.h"

#include "playback/GammaCorrection.h"
#include "image/Image.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A plain top-level window of a given client size to draw into.
class TestWindow {
public:
    TestWindow(int width, int height)
    {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = DefWindowProcW;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"PictureViewTestWindow";
        RegisterClassW(&window_class);
        RECT frame{0, 0, width, height};
        AdjustWindowRect(&frame, WS_POPUP, FALSE);
        handle = CreateWindowExW(WS_EX_TOPMOST, L"PictureViewTestWindow", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                 frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    ~TestWindow() { DestroyWindow(handle); }
    HWND handle;
};

// A bitmap-backed device context of the window's client size, read back pixel by pixel.
class Canvas {
public:
    Canvas(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
        // A colour the drawing never uses, to see which pixels it touched.
        RECT all{0, 0, width, height};
        HBRUSH green = CreateSolidBrush(untouched);
        FillRect(dc, &all, green);
        DeleteObject(green);
    }
    static constexpr COLORREF untouched = RGB(0, 255, 0);
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

std::unique_ptr<Image> solid_picture(uint8_t blue, uint8_t green, uint8_t red)
{
    auto picture = std::make_unique<Image>(64, 48);
    for (size_t i = 0; i < picture->size(); i += 4) {
        picture->pixels()[i] = blue;
        picture->pixels()[i + 1] = green;
        picture->pixels()[i + 2] = red;
    }
    return picture;
}

// Draws `picture` into a window of the given client size and hands the result to `check`.
template <typename Check>
void draw_in_window(int width, int height, bool with_drawdib, const Image& picture, Check check)
{
    TestWindow window(width, height);
    Canvas canvas(width, height);
    PictureView view;
    if (!with_drawdib) {
        view.use_fallback_drawing();
    }
    view.draw(window.handle, canvas.dc, &picture, GammaCorrection());
    check(canvas);
}

void expect_letterboxed(bool with_drawdib)
{
    const auto picture = solid_picture(0, 0, 200);
    {
        SCOPED_TRACE("wider than 4:3: bands left and right");
        draw_in_window(400, 240, with_drawdib, *picture, [](const Canvas& canvas) {
            // The picture spans x 40 ... 359; the bands keep the erased background.
            EXPECT_EQ(canvas.at(10, 120), Canvas::untouched);
            EXPECT_EQ(canvas.at(39, 120), Canvas::untouched);
            EXPECT_EQ(canvas.at(360, 120), Canvas::untouched);
            EXPECT_EQ(canvas.at(200, 120), RGB(200, 0, 0));
            EXPECT_EQ(canvas.at(41, 1), RGB(200, 0, 0));
        });
    }
    {
        SCOPED_TRACE("taller than 4:3: bands above and below");
        draw_in_window(320, 400, with_drawdib, *picture, [](const Canvas& canvas) {
            // The picture spans y 80 ... 319.
            EXPECT_EQ(canvas.at(160, 79), Canvas::untouched);
            EXPECT_EQ(canvas.at(160, 320), Canvas::untouched);
            EXPECT_EQ(canvas.at(160, 200), RGB(200, 0, 0));
        });
    }
}

TEST(PictureView, DrawsLetterboxedWithDrawDib) { expect_letterboxed(true); }

TEST(PictureView, DrawsLetterboxedWithTheFallback) { expect_letterboxed(false); }

TEST(PictureView, NoPictureFillsWhiteAndBrightnessLeavesTheStoredPictureAlone)
{
    TestWindow window(160, 120);
    Canvas canvas(160, 120);
    PictureView view;
    GammaCorrection brightness;
    view.draw(window.handle, canvas.dc, nullptr, brightness);
    EXPECT_EQ(canvas.at(80, 60), RGB(255, 255, 255));

    const auto picture = solid_picture(64, 64, 64);
    brightness.set(2.0);
    view.draw(window.handle, canvas.dc, picture.get(), brightness);
    EXPECT_EQ(canvas.at(80, 60), RGB(128, 128, 128));
    EXPECT_EQ(picture->pixels()[0], 64);
}

TEST(PictureView, CopiesWhatIsShownToTheClipboardEvenWhenSomethingCoversTheWindow)
{
    TestWindow window(320, 240);
    PictureView view;
    GammaCorrection brightness;
    brightness.set(2.0);
    const auto picture = solid_picture(64, 0, 255);
    HDC dc = GetDC(window.handle);
    view.draw(window.handle, dc, picture.get(), brightness);
    // What lies over the player reaches its pixels on the screen, not the copy.
    RECT client{0, 0, 320, 240};
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window.handle, dc);
    GdiFlush();

    ASSERT_TRUE(view.copy_to_clipboard(window.handle, picture.get(), brightness));
    ASSERT_TRUE(OpenClipboard(window.handle));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 320);
    EXPECT_EQ(info.bmHeight, 240);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    EXPECT_EQ(GetPixel(memory, 160, 120), RGB(255, 0, 128)); // the shown brightness, not the stored one
    SelectObject(memory, previous);
    DeleteDC(memory);
    CloseClipboard();
}

} // namespace
