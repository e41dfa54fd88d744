// The start-up animation as a real child window, driven by its own timer.
#include "ui/Animation.h"

#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF frameColour = RGB(200, 30, 90); // resource 30003, 16 x 8
constexpr COLORREF hostColour = RGB(255, 255, 255);

TEST(Animation, IsAVisibleChildAtItsPlace)
{
    HostWindow host(50, 50, 400, 300);
    auto* animation = new Animation(host.get(), 30, 40);
    HWND handle = animation->handle();
    EXPECT_EQ(GetParent(handle), host.get());
    EXPECT_TRUE(IsWindowVisible(handle));
    RECT rect;
    GetWindowRect(handle, &rect);
    EXPECT_EQ(rect.left, 50 + 30);
    EXPECT_EQ(rect.top, 50 + 40);
    // It runs to its end on the program's own picture IDB_START_ANIMATION, or on none while the skin lacks it.
    animation->start();
    EXPECT_TRUE(pumpUntil([&] { return animation->frameIndex() >= 2; }));
    EXPECT_TRUE(IsWindow(handle));
}

TEST(Animation, PictureAppearsAfterTheFirstTickAndStays)
{
    HostWindow host(50, 50, 400, 300);
    auto* animation = new Animation(host.get(), 10, 10, 30003);
    HWND handle = animation->handle();
    animation->start();
    UpdateWindow(handle);
    EXPECT_EQ(pixelOf(handle, 2, 2), hostColour) << "the first frame is empty";

    ASSERT_TRUE(pumpUntil([&] { return animation->frameIndex() >= 1; }));
    EXPECT_EQ(pixelOf(handle, 2, 2), frameColour);
    EXPECT_EQ(pixelOf(handle, 15, 7), frameColour);
    EXPECT_EQ(pixelOf(handle, 16, 2), hostColour) << "drawn at its own size";

    ASSERT_TRUE(pumpUntil([&] { return animation->frameIndex() >= 2; }));
    // The timer is gone (there is none left to kill), so the index stays, and the picture stays.
    EXPECT_FALSE(KillTimer(handle, 0));
    EXPECT_EQ(animation->frameIndex(), 2);
    InvalidateRect(handle, nullptr, TRUE);
    UpdateWindow(handle);
    EXPECT_EQ(pixelOf(handle, 2, 2), frameColour);
}

TEST(Animation, NegativeIndexDrawsNothing)
{
    HostWindow host(50, 50, 400, 300);
    auto* animation = new Animation(host.get(), 10, 10, 30003);
    HWND handle = animation->handle();
    animation->setFrameIndex(-1);
    InvalidateRect(handle, nullptr, FALSE);
    UpdateWindow(handle);
    EXPECT_EQ(pixelOf(handle, 2, 2), hostColour);
}

TEST(Animation, WithoutAPictureItStillRunsToTheEnd)
{
    for (const int id : {30002 /* not a PNG */, 30999 /* missing */}) {
        SCOPED_TRACE(id);
        HostWindow host(50, 50, 400, 300);
        auto* animation = new Animation(host.get(), 10, 10, id);
        HWND handle = animation->handle();
        animation->start();
        ASSERT_TRUE(pumpUntil([&] { return animation->frameIndex() >= 2; }));
        EXPECT_EQ(pixelOf(handle, 2, 2), hostColour);
        EXPECT_TRUE(IsWindow(handle));
    }
}

} // namespace
