#include "ui/WindowUtilities.h"

#include "support/UiTestSupport.h"
#include "ui/Window.h"

#include <gtest/gtest.h>

namespace {

// Counts the paints and erases that reach it.
class PaintCounter : public Window {
public:
    PaintCounter(int& paints, int& erases) : paints_(paints), erases_(erases)
    {
        CreationRecord record;
        record.className = defaultClassName;
        record.style = WS_POPUP | WS_VISIBLE;
        record.width = 60;
        record.height = 40;
        create(record);
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT) {
            ++paints_;
        } else if (message == WM_ERASEBKGND) {
            ++erases_;
        }
        return Window::windowProc(message, wParam, lParam);
    }

private:
    int& paints_;
    int& erases_;
};

TEST(WindowUtilities, SetEnabledChangesTheStateAndRepaintsAtOnceOnlyOnAChange)
{
    int paints = 0;
    int erases = 0;
    auto* window = new PaintCounter(paints, erases);
    HWND handle = window->handle();
    pumpPending();
    ASSERT_TRUE(isEnabled(handle));

    const int paintsBefore = paints;
    const int erasesBefore = erases;
    setEnabled(handle, true);
    EXPECT_EQ(paints, paintsBefore);

    setEnabled(handle, false);
    EXPECT_FALSE(isEnabled(handle));
    EXPECT_NE(GetWindowLongW(handle, GWL_STYLE) & WS_DISABLED, 0);
    EXPECT_EQ(paints, paintsBefore + 1) << "painted before setEnabled returned";
    EXPECT_EQ(erases, erasesBefore + 1);

    setEnabled(handle, false);
    EXPECT_EQ(paints, paintsBefore + 1);

    setEnabled(handle, true);
    EXPECT_TRUE(isEnabled(handle));
    EXPECT_EQ(paints, paintsBefore + 2);
    DestroyWindow(handle);
}

RECT rectOf(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    return rect;
}

TEST(WindowUtilities, CentreWindowCentresTheOuterRectangleTruncatingTowardZero)
{
    HostWindow reference(100, 100, 301, 201);
    HostWindow small(0, 0, 100, 50);
    centreWindow(small.get(), reference.get());
    RECT placed = rectOf(small.get());
    EXPECT_EQ(placed.left, 100 + 201 / 2);
    EXPECT_EQ(placed.top, 100 + 151 / 2);
    EXPECT_EQ(placed.right - placed.left, 100) << "the size is kept";
    EXPECT_EQ(placed.bottom - placed.top, 50);

    // Larger than the reference: the halves are negative and truncate toward zero.
    HostWindow target(200, 200, 100, 100);
    HostWindow large(0, 0, 301, 151);
    centreWindow(large.get(), target.get());
    placed = rectOf(large.get());
    EXPECT_EQ(placed.left, 100); // 200 + (-201 / 2), not 200 - 101
    EXPECT_EQ(placed.top, 175);  // 200 + (-51 / 2)
}

TEST(WindowUtilities, CentredChildLandsOnTheReferenceOnTheScreen)
{
    HostWindow parent(300, 300, 400, 300);
    HostWindow child(0, 0, 100, 50, WS_CHILD | WS_VISIBLE, parent.get());
    centreWindow(child.get(), parent.get());
    const RECT placed = rectOf(child.get());
    EXPECT_EQ(placed.left, 300 + 150);
    EXPECT_EQ(placed.top, 300 + 125);
}

} // namespace
