// The skinned push buttons as real child windows, pressed and released with mouse and key messages.
#include "ui/ImageButton.h"
#include "ui/ImageButtonListener.h"
#include "ui/PlayButton.h"

#include "support/UiTestSupport.h"
#include "ui/SkinPixels.h"

#include <gtest/gtest.h>

namespace {

// The play button's pictures: normal, pressed, disabled; and the pause look's normal.
constexpr int playNormal = 10015;
constexpr int playPressed = 10016;
constexpr int playDisabled = 10017;

struct Counts : ImageButtonListener {
    void buttonClicked(ImageButton*) override { ++clicks; }
    void buttonPressed(ImageButton* button) override
    {
        ++presses;
        if (disableAfter > 0 && presses == disableAfter) {
            EnableWindow(button->handle(), FALSE);
        }
    }
    int clicks = 0;
    int presses = 0;
    int disableAfter = 0;
};

LPARAM at(int x, int y)
{
    return MAKELPARAM(x, y);
}

class ImageButtonTest : public ::testing::Test {
protected:
    ImageButtonTest() : host_(60, 60, 300, 200)
    {
        button_ = new ImageButton(host_.get(), 20, 20, 40, 40);
        button_->setListener(&counts_);
        button_->setImages(playNormal, playPressed, playDisabled);
        UpdateWindow(button_->handle());
    }

    HWND handle() const { return button_->handle(); }

    HostWindow host_;
    ImageButton* button_;
    Counts counts_;
};

TEST_F(ImageButtonTest, HeldButtonRepeatsUntilReleasedAndReleaseInsideClicks)
{
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(counts_.presses, 1) << "the press reports at once";
    EXPECT_EQ(GetCapture(), handle());
    EXPECT_TRUE(button_->isPressed());
    // Auto-repeat goes on wherever the pointer is.
    SendMessageW(handle(), WM_MOUSEMOVE, MK_LBUTTON, at(200, 5));
    ASSERT_TRUE(pumpUntil([&] { return counts_.presses >= 4; }));
    EXPECT_EQ(counts_.clicks, 0);

    SendMessageW(handle(), WM_LBUTTONUP, 0, at(39, 39));
    EXPECT_EQ(counts_.clicks, 1);
    EXPECT_NE(GetCapture(), handle());
    EXPECT_FALSE(button_->isPressed());
    const int presses = counts_.presses;
    ASSERT_TRUE(pumpUntilTimerStrikes(350));
    EXPECT_EQ(counts_.presses, presses) << "no repeat after the release";
}

TEST_F(ImageButtonTest, ReleaseOutsideGivesNoClick)
{
    for (const LPARAM outside : {at(40, 10), at(-1, 10), at(10, 40), at(10, -3)}) {
        SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
        SendMessageW(handle(), WM_LBUTTONUP, 0, outside);
        EXPECT_NE(GetCapture(), handle());
    }
    EXPECT_EQ(counts_.clicks, 0);
    EXPECT_EQ(counts_.presses, 4);
}

TEST_F(ImageButtonTest, RepeatStopsWhenTheButtonIsDisabled)
{
    counts_.disableAfter = 3;
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    ASSERT_TRUE(pumpUntil([&] { return counts_.presses >= 3; }));
    EXPECT_FALSE(IsWindowEnabled(handle()));
    ASSERT_TRUE(pumpUntilTimerStrikes(350));
    EXPECT_EQ(counts_.presses, 3);
    ReleaseCapture();
}

TEST_F(ImageButtonTest, EnterPressesAndItsReleaseClicks)
{
    SendMessageW(handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(counts_.presses, 1);
    EXPECT_EQ(GetCapture(), handle());
    // A second key-down (the key's own repeat) while it holds the mouse presses nothing more.
    SendMessageW(handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(counts_.presses, 1);
    SendMessageW(handle(), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(counts_.clicks, 1);
    EXPECT_NE(GetCapture(), handle());
    // An Enter that was pressed elsewhere and released here clicks nothing.
    SendMessageW(handle(), WM_KEYUP, VK_RETURN, 0);
    EXPECT_EQ(counts_.clicks, 1);
    // Other keys do nothing.
    SendMessageW(handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(handle(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(counts_.presses, 1);
    EXPECT_EQ(counts_.clicks, 1);
}

MSG pending(HWND window, UINT message, WPARAM wParam)
{
    MSG queued{};
    queued.hwnd = window;
    queued.message = message;
    queued.wParam = wParam;
    return queued;
}

TEST_F(ImageButtonTest, AsksDialogsForEnterOnly)
{
    MSG key = pending(handle(), WM_KEYDOWN, VK_TAB);
    EXPECT_EQ(SendMessageW(handle(), WM_GETDLGCODE, VK_TAB, reinterpret_cast<LPARAM>(&key)), 0);
    MSG character = pending(handle(), WM_CHAR, L'a');
    EXPECT_EQ(SendMessageW(handle(), WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&character)), 0);
    MSG enter = pending(handle(), WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(SendMessageW(handle(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)),
              DLGC_WANTCHARS | DLGC_WANTALLKEYS);
    EXPECT_EQ(SendMessageW(handle(), WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_WANTALLKEYS);
}

TEST_F(ImageButtonTest, ShowsNormalPressedAndDisabledPictures)
{
    // A pixel where the three pictures differ.
    constexpr int x = 20;
    constexpr int y = 20;
    const COLORREF normal = pictureColour(playNormal, x, y);
    const COLORREF pressed = pictureColour(playPressed, x, y);
    const COLORREF disabled = pictureColour(playDisabled, x, y);
    ASSERT_NE(normal, pressed);
    ASSERT_NE(normal, disabled);

    EXPECT_EQ(pixelOf(handle(), x, y), normal);
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(pixelOf(handle(), x, y), pressed);
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_EQ(pixelOf(handle(), x, y), normal);
    button_->setShownPressed(true);
    UpdateWindow(handle());
    EXPECT_EQ(pixelOf(handle(), x, y), pressed);
    button_->setShownPressed(false);
    EnableWindow(handle(), FALSE);
    UpdateWindow(handle());
    EXPECT_EQ(pixelOf(handle(), x, y), disabled);
}

TEST_F(ImageButtonTest, WithoutAPressedPictureTheEdgedButtonSinksOnePixel)
{
    button_->setImages(playNormal, 0, 0);
    UpdateWindow(handle());
    // A pixel under which the picture changes, away from the edge.
    int x = 20;
    int y = 5;
    while (y < 35 && pictureColour(playNormal, x, y - 1) == pictureColour(playNormal, x, y)) {
        ++y;
    }
    ASSERT_LT(y, 35);
    const COLORREF above = pictureColour(playNormal, x, y - 1);
    const COLORREF here = pictureColour(playNormal, x, y);
    EXPECT_EQ(pixelOf(handle(), x, y), here);
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(pixelOf(handle(), x, y), above);
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(5, 5));
    // Disabled without a disabled picture: the normal one.
    EnableWindow(handle(), FALSE);
    UpdateWindow(handle());
    EXPECT_EQ(pixelOf(handle(), x, y), here);
}

TEST(PlayButton, PauseLookExchangesThePicturesAndBack)
{
    HostWindow host(60, 60, 300, 200);
    auto* button = new PlayButton(host.get(), 10, 10, 40, 40);
    button->setImages(playNormal, playPressed, playDisabled);
    UpdateWindow(button->handle());
    const COLORREF play = pictureColour(playNormal, 20, 20);
    const COLORREF pause = pictureColour(PlayButton::playingNormalImage, 20, 20);
    ASSERT_NE(play, pause);
    EXPECT_EQ(pixelOf(button->handle(), 20, 20), play);

    button->setPlaying(true);
    button->setPlaying(true); // no change: no second exchange
    UpdateWindow(button->handle());
    EXPECT_TRUE(button->isPlaying());
    EXPECT_EQ(pixelOf(button->handle(), 20, 20), pause);
    EnableWindow(button->handle(), FALSE);
    UpdateWindow(button->handle());
    EXPECT_EQ(pixelOf(button->handle(), 20, 20), pictureColour(PlayButton::playingDisabledImage, 20, 20));
    EnableWindow(button->handle(), TRUE);

    button->setPlaying(false);
    UpdateWindow(button->handle());
    EXPECT_EQ(pixelOf(button->handle(), 20, 20), play);
}

} // namespace
