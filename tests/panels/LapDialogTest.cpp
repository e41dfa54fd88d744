// The lap list under Wine: its window, its rows as drawn, repainting at once on request, and
// closing by its button.
#include "panels/LapDialog.h"

#include "panels/LapListOwner.h"
#include "panels/LapMeasurement.h"
#include "panels/LapText.h"
#include "playback/FrameTimeTable.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The pixels of a client rectangle: of a window as it shows, or of text drawn as the list draws.
class Pixels {
public:
    Pixels(int width, int height) : width_(width), height_(height)
    {
        WindowDcScreen screen;
        dc_ = CreateCompatibleDC(screen.dc);
        bitmap_ = CreateCompatibleBitmap(screen.dc, width, height);
        previous_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    ~Pixels()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    static Pixels of_window(HWND window, const RECT& area)
    {
        Pixels pixels(area.right - area.left, area.bottom - area.top);
        HDC source = GetDC(window);
        BitBlt(pixels.dc_, 0, 0, pixels.width_, pixels.height_, source, area.left, area.top, SRCCOPY);
        ReleaseDC(window, source);
        return pixels;
    }
    // `text` in the list's font, white on black, at (x, y) of this area.
    static Pixels of_text(const std::wstring& text, const RECT& area, int x, int y)
    {
        Pixels pixels(area.right - area.left, area.bottom - area.top);
        HFONT font = CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"ＭＳ ゴシック");
        HGDIOBJ old = SelectObject(pixels.dc_, font);
        SetTextColor(pixels.dc_, RGB(255, 255, 255));
        SetBkMode(pixels.dc_, TRANSPARENT);
        TextOutW(pixels.dc_, x - area.left, y - area.top, text.c_str(), static_cast<int>(text.size()));
        SelectObject(pixels.dc_, old);
        DeleteObject(font);
        return pixels;
    }
    Pixels(Pixels&& other) noexcept
        : width_(other.width_), height_(other.height_), dc_(other.dc_), bitmap_(other.bitmap_), previous_(other.previous_)
    {
        other.dc_ = nullptr;
        other.bitmap_ = nullptr;
        other.previous_ = nullptr;
    }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }
    // How many pixels differ from `other`'s.
    int differences(const Pixels& other) const
    {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                count += at(x, y) != other.at(x, y) ? 1 : 0;
            }
        }
        return count;
    }
    int count(COLORREF colour) const
    {
        int found = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                found += at(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }

private:
    struct WindowDcScreen {
        WindowDcScreen() : dc(GetDC(nullptr)) {}
        ~WindowDcScreen() { ReleaseDC(nullptr, dc); }
        HDC dc;
    };
    int width_;
    int height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

class ClosedCounter : public LapListOwner {
public:
    void lap_list_closed() override { ++closed; }
    int closed = 0;
};

// The row band of lap `lap`, as the list places it.
RECT row_band(int lap)
{
    const int top = LapDialog::first_row_y + LapDialog::row_pitch * (lap - 1);
    return {LapDialog::row_x - 2, top, LapDialog::box.right, top + LapDialog::row_pitch};
}

class LapDialogTest : public ::testing::Test {
protected:
    LapDialogTest() : owner_window_(200, 150, 400, 300), list_(laps_, owner_)
    {
        std::vector<FrameTime> frames;
        for (int i = 0; i < 600; ++i) {
            frames.push_back({20000 + 100 * i, 40 + i % 10});
        }
        table_.store_chapter(0, frames);
    }
    ~LapDialogTest() override { list_.close(); }

    HWND show()
    {
        HWND window = list_.show(owner_window_.get());
        pumpPending();
        UpdateWindow(window);
        return window;
    }

    HostWindow owner_window_;
    FrameTimeTable table_;
    LapMeasurement laps_;
    ClosedCounter owner_;
    LapDialog list_;
};

TEST_F(LapDialogTest, IsTheLapListWindowWithItsCloseButton)
{
    HWND window = show();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(list_.is_open());
    wchar_t text[64] = {};
    GetWindowTextW(window, text, 64);
    EXPECT_STREQ(text, L"LAP LIST");
    HWND button = GetDlgItem(window, IDOK);
    ASSERT_NE(button, nullptr);
    GetWindowTextW(button, text, 64);
    EXPECT_STREQ(text, L"閉じる");
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, L"MS UI Gothic");
    EXPECT_EQ(font.lfHeight, 14);
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_GE(client.right, LapDialog::box.right + 5);
    // The button lies below the drawn box, inside the window.
    RECT place{};
    GetWindowRect(button, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_GT(place.top, LapDialog::box.bottom);
    EXPECT_LE(place.bottom, client.bottom);
    // Shown again, it is the same window.
    EXPECT_EQ(list_.show(owner_window_.get()), window);
}

TEST_F(LapDialogTest, DrawsTenRowsAndTheTotalInTheBlackBox)
{
    laps_.start(table_, 0, 10);
    laps_.take_lap(table_, 0, 110);
    laps_.stop(table_, 0, 333);
    HWND window = show();
    ASSERT_TRUE(pumpUntil([&] { return pixelOf(window, 6, 6) == RGB(0, 0, 0); }));
    EXPECT_NE(pixelOf(window, 4, 4), RGB(0, 0, 0));
    EXPECT_EQ(pixelOf(window, 100, 190), RGB(255, 255, 255)); // the divider
    EXPECT_EQ(pixelOf(window, 100, 191), RGB(0, 0, 0));
    for (int lap : {1, 2, 3, 10}) {
        const RECT band = row_band(lap);
        const Pixels expected = Pixels::of_text(lap_text::lap_row(laps_, lap), band, LapDialog::row_x,
                                                band.top);
        EXPECT_EQ(Pixels::of_window(window, band).differences(expected), 0) << lap;
    }
    const RECT total_band{10, LapDialog::total_place.y, LapDialog::box.right, LapDialog::total_place.y + 17};
    const Pixels expected =
        Pixels::of_text(lap_text::total_row(laps_), total_band, LapDialog::total_place.x, LapDialog::total_place.y);
    EXPECT_EQ(Pixels::of_window(window, total_band).differences(expected), 0);
    EXPECT_GT(expected.count(RGB(255, 255, 255)), 20);
}

TEST_F(LapDialogTest, TheRepaintMessageRedrawsAtOnce)
{
    HWND window = show();
    const RECT band = row_band(1);
    const Pixels empty = Pixels::of_text(lap_text::lap_row(laps_, 1), band, LapDialog::row_x, band.top);
    ASSERT_TRUE(pumpUntil([&] { return Pixels::of_window(window, band).differences(empty) == 0; }));
    laps_.start(table_, 0, 10);
    laps_.stop(table_, 0, 77);
    list_.repaint(); // no message pumped after this
    const Pixels taken = Pixels::of_text(lap_text::lap_row(laps_, 1), band, LapDialog::row_x, band.top);
    EXPECT_GT(taken.differences(empty), 0);
    EXPECT_EQ(Pixels::of_window(window, band).differences(taken), 0);
}

TEST_F(LapDialogTest, TheDialogManagersOwnMessagesStillReachIt)
{
    // The repaint request is a message of ours; the dialog manager's DM_SETDEFID still works.
    HWND window = show();
    ASSERT_EQ(SendMessageW(window, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
    SendMessageW(window, DM_SETDEFID, 0, 0);
    EXPECT_NE(SendMessageW(window, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
}

TEST_F(LapDialogTest, TheButtonClosesTheListAndTellsTheStopwatch)
{
    HWND window = show();
    SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(list_.is_open());
    EXPECT_EQ(owner_.closed, 1);
    // It opens again as a new window.
    HWND again = show();
    EXPECT_TRUE(IsWindow(again));
    EXPECT_TRUE(list_.is_open());
}

TEST_F(LapDialogTest, ClosingFromTheStopwatchDoesNotReportBack)
{
    HWND window = show();
    list_.close();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(list_.is_open());
    EXPECT_EQ(owner_.closed, 0);
    list_.repaint(); // a closed list ignores it
}

} // namespace
