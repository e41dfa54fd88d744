// The message loop hands the keys of the open lap list to the dialog manager: Esc closes it.
#include "app/StartUp.h"

#include "panels/LapDialog.h"
#include "panels/LapListOwner.h"
#include "panels/LapMeasurement.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ClosedCounter : public LapListOwner {
public:
    void lap_list_closed() override { ++closed; }
    int closed = 0;
};

TEST(ModelessDialog, EscInTheLapListClosesIt)
{
    HostWindow owner(100, 100, 300, 200);
    LapMeasurement laps;
    ClosedCounter told;
    LapDialog list(laps, told);
    HWND window = list.show(owner.get());
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    ASSERT_TRUE(pumpUntil([&] { return GetActiveWindow() == window; }));
    MSG key{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    EXPECT_TRUE(route_to_modeless_dialog(key));
    pumpPending();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(list.is_open());
    EXPECT_EQ(told.closed, 1);
    // With no dialog active the loop translates and dispatches as usual.
    SetActiveWindow(owner.get());
    MSG other{owner.get(), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {}};
    EXPECT_FALSE(route_to_modeless_dialog(other));
}

} // namespace
