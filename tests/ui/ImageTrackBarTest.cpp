// The skinned track bars as real child windows: clicks, drags, the barrier, the value tooltip and
// the marks drawn on the position bar.
#include "ui/ImageTrackBar.h"
#include "ui/ImageTrackBarListener.h"
#include "ui/PlayTrackBar.h"
#include "ui/TrackToolTip.h"

#include "support/UiTestSupport.h"
#include "ui/SkinPixels.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The position bar's pictures: thumb (14 x 30), channel (28 x 30), played part.
constexpr int thumbImage = 10031;
constexpr int channelImage = 10027;
constexpr int playedImage = 295;
constexpr int thumbWidth = 14;
constexpr int barWidth = 300;

// The calls in order, one letter each: s(tarted), c(hanged), e(nded), with the value at each.
struct Journal : ImageTrackBarListener {
    void trackChanged(ImageTrackBar* bar) override { add('c', bar); }
    void trackStarted(ImageTrackBar* bar) override { add('s', bar); }
    void trackEnded(ImageTrackBar* bar) override { add('e', bar); }
    void add(char call, ImageTrackBar* bar)
    {
        calls += call;
        values.push_back(bar->value());
    }
    void clear()
    {
        calls.clear();
        values.clear();
    }
    std::string calls;
    std::vector<int> values;
};

LPARAM at(int x, int y = 10)
{
    return MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
}

class TrackBarTest : public ::testing::Test {
protected:
    TrackBarTest() : host_(40, 40, 400, 120)
    {
        bar_ = new PlayTrackBar(host_.get(), 10, 20, barWidth, 30);
        bar_->setImages(thumbImage, channelImage, playedImage);
        bar_->setThreeSlice(true);
        bar_->setListener(&journal_);
    }
    ~TrackBarTest() override { ReleaseCapture(); }

    HWND handle() const { return bar_->handle(); }
    // Pointer x whose px is `px`.
    static int pointerFor(int px) { return px - thumbWidth / 2; }

    HostWindow host_;
    PlayTrackBar* bar_;
    Journal journal_;
};

TEST_F(TrackBarTest, ClicksAtTheEndsReachTheEndsOfTheRange)
{
    bar_->setRange(1, 50);
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(barWidth - 1));
    EXPECT_EQ(bar_->value(), 50);
    EXPECT_EQ(bar_->thumbX(), barWidth - thumbWidth);
    EXPECT_EQ(journal_.calls, "sc") << "the click itself is reported as started and changed";
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(barWidth - 1));
    EXPECT_EQ(journal_.calls, "scce");

    journal_.clear();
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(2));
    EXPECT_EQ(bar_->value(), 1);
    EXPECT_EQ(bar_->thumbX(), 0);
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(2));
    EXPECT_EQ(journal_.calls, "scce");
    EXPECT_EQ(journal_.values, (std::vector<int>{1, 1, 1, 1}));
}

TEST_F(TrackBarTest, PressOnTheThumbLeavesTheValueButStillReports)
{
    bar_->setRange(0, 599);
    bar_->setValue(300, false);
    EXPECT_EQ(journal_.calls, "") << "a silent set";
    const int thumb = bar_->thumbX();
    // The thumb's right edge still counts as the thumb; a pointer there would pick another value.
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(thumb + thumbWidth));
    EXPECT_EQ(bar_->value(), 300);
    EXPECT_EQ(bar_->thumbX(), thumb);
    EXPECT_EQ(journal_.calls, "sc");
}

TEST_F(TrackBarTest, DragMovesSilentlyAndTheReleaseReportsTheEnd)
{
    bar_->setRange(0, 286);
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(pointerFor(100)));
    EXPECT_EQ(bar_->value(), 93) << "286 * (100 - 7) / 286";
    journal_.clear();
    SendMessageW(handle(), WM_MOUSEMOVE, MK_LBUTTON, at(pointerFor(207)));
    EXPECT_EQ(bar_->value(), 200);
    EXPECT_EQ(bar_->thumbX(), 200);
    EXPECT_EQ(journal_.calls, "") << "moves set the value without a report";
    // While held, the bar reports the value every 100 ms.
    ASSERT_TRUE(pumpUntil([&] { return journal_.calls.size() >= 2; }));
    EXPECT_EQ(journal_.calls, "cc");
    journal_.clear();
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(pointerFor(57)));
    EXPECT_EQ(bar_->value(), 50);
    EXPECT_EQ(journal_.calls, "cce") << "the release's own change, then changed and ended";
    EXPECT_NE(GetCapture(), handle());
    // Moves without the bar held do nothing.
    SendMessageW(handle(), WM_MOUSEMOVE, 0, at(pointerFor(150)));
    EXPECT_EQ(bar_->value(), 50);
    journal_.clear();
    ASSERT_TRUE(pumpUntilTimerStrikes(250));
    EXPECT_EQ(journal_.calls, "") << "no reports after the release";
}

TEST_F(TrackBarTest, BarrierHoldsDragsAndClicksAtTheLastMark)
{
    bar_->setRange(0, 286);
    TrackMarks marks;
    marks.start = 40;
    marks.laps = {120, 0};
    bar_->setMarks(marks);
    bar_->setBarrier(true);
    // A click left of the last lap jumps to it.
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(pointerFor(60)));
    EXPECT_EQ(bar_->value(), 120) << "px raised to pixel(120) + 7";
    SendMessageW(handle(), WM_MOUSEMOVE, MK_LBUTTON, at(pointerFor(207)));
    EXPECT_EQ(bar_->value(), 200);
    // Dragging left of the barrier leaves the value where it was, also on the release.
    SendMessageW(handle(), WM_MOUSEMOVE, MK_LBUTTON, at(pointerFor(80)));
    EXPECT_EQ(bar_->value(), 200);
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(pointerFor(80)));
    EXPECT_EQ(bar_->value(), 200);
    // Without the flag the marks hold nothing back.
    bar_->setBarrier(false);
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(pointerFor(60)));
    EXPECT_EQ(bar_->value(), 53);
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(pointerFor(60)));
}

TEST_F(TrackBarTest, RangeAndValueAreClampedAndOnlyANotifyingSetReports)
{
    bar_->setRange(0, 100);
    bar_->setValue(80, false);
    bar_->setRange(10, 5);
    EXPECT_EQ(bar_->maximum(), 10) << "a maximum below the minimum is raised to it";
    EXPECT_EQ(bar_->value(), 10);
    EXPECT_EQ(journal_.calls, "");
    bar_->setRange(0, 50);
    bar_->setValue(70, true);
    EXPECT_EQ(bar_->value(), 50);
    EXPECT_EQ(journal_.calls, "c");
    bar_->setValue(50, true);
    EXPECT_EQ(journal_.calls, "c") << "an unchanged value reports nothing";
}

TEST_F(TrackBarTest, ToolTipFollowsTheDragWithTheValueText)
{
    TrackToolTip* tooltip = new TrackToolTip(host_.get());
    bar_->setToolTip(tooltip);
    bar_->setValueText([](int value) { return L"frame " + std::to_wstring(value); });
    bar_->setRange(0, 286);
    EXPECT_EQ(bar_->valueText(), L"frame 0");
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(pointerFor(100)));
    EXPECT_TRUE(tooltip->isTracking());
    EXPECT_EQ(tooltip->text(handle()), L"frame 93");
    SendMessageW(handle(), WM_MOUSEMOVE, MK_LBUTTON, at(pointerFor(207)));
    EXPECT_EQ(tooltip->text(handle()), L"frame 200");
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(pointerFor(207)));
    EXPECT_FALSE(tooltip->isTracking());

    bar_->setValueText(nullptr);
    EXPECT_EQ(bar_->valueText(), L"200");
}

TEST_F(TrackBarTest, ADragThatLosesTheMouseEndsThereAndHidesItsToolTip)
{
    TrackToolTip* tooltip = new TrackToolTip(host_.get());
    bar_->setToolTip(tooltip);
    bar_->setRange(0, 286);
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(pointerFor(100)));
    SendMessageW(handle(), WM_MOUSEMOVE, MK_LBUTTON, at(pointerFor(207)));
    journal_.clear();
    // A message box or another program takes the mouse before the button comes up.
    SetCapture(host_.get());
    EXPECT_EQ(journal_.calls, "ce") << "ended where the thumb stands";
    EXPECT_EQ(journal_.values, (std::vector<int>{200, 200}));
    EXPECT_FALSE(tooltip->isTracking());
    EXPECT_FALSE(bar_->isHeld());
    // The release that follows elsewhere, and the timer, report nothing more.
    ReleaseCapture();
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(pointerFor(50)));
    ASSERT_TRUE(pumpUntilTimerStrikes(250)); // two ticks of the drag timer, had it stayed
    EXPECT_EQ(journal_.calls, "ce");
    EXPECT_EQ(bar_->value(), 200);

    // A release of its own ends a drag once, not a second time as the capture goes.
    journal_.clear();
    SendMessageW(handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(pointerFor(100)));
    SendMessageW(handle(), WM_LBUTTONUP, 0, at(pointerFor(100)));
    EXPECT_EQ(journal_.calls, "scce");
}

TEST_F(TrackBarTest, DetectionMarkerStandsAtItsFrameOnlyForKindsOneAndTwo)
{
    bar_->setRange(0, 286);
    bar_->setValue(0, false);
    const AlphaImage marker(10029);
    // Frame 200 at pixel 200: left edge 200 + 7 - 5 + 2 = 204, top 11.
    const int left = 204;
    const int x = left + marker.width() / 2;
    const int y = PlayTrackBar::markTop + marker.height() / 2;
    const COLORREF markerColour = pictureColour(10029, marker.width() / 2, marker.height() / 2);
    UpdateWindow(handle());
    const COLORREF bare = pixelOf(handle(), x, y);
    ASSERT_NE(bare, markerColour);

    bar_->setDetection(200, 1);
    UpdateWindow(handle());
    EXPECT_EQ(pixelOf(handle(), x, y), markerColour);
    EXPECT_EQ(pixelOf(handle(), left - 1, y), bare) << "drawn at its own size from its left edge";

    bar_->setDetection(200, 2);
    UpdateWindow(handle());
    EXPECT_EQ(pixelOf(handle(), x, y), pictureColour(10030, marker.width() / 2, marker.height() / 2));
    for (const auto& [index, kind] : {std::pair{200, 0}, std::pair{200, 3}, std::pair{-1, 1}}) {
        bar_->setDetection(index, kind);
        UpdateWindow(handle());
        EXPECT_EQ(pixelOf(handle(), x, y), bare) << index << " " << kind;
    }
}

TEST_F(TrackBarTest, StopwatchMarksOnlyWhenShownAndNeverAtZero)
{
    bar_->setRange(0, 286);
    bar_->setValue(286, false); // the thumb out of the way, at the right end
    const AlphaImage start(115);
    const int half = start.width() / 2;
    const int y = PlayTrackBar::markTop + start.height() / 2;
    // A mark at frame f stands from f + 7 - 4 + 2 = f + 5.
    auto markX = [&](int frame) { return frame + 5 + half; };
    auto markColour = [&](int id) { return pictureColour(id, half, start.height() / 2); };
    TrackMarks marks;
    marks.start = 100;
    marks.laps = {150, 200, 0, 250};
    marks.end = 0;
    bar_->setMarks(marks);
    UpdateWindow(handle());
    std::vector<COLORREF> bare;
    for (const int frame : {0, 100, 150, 200, 250}) {
        bare.push_back(pixelOf(handle(), markX(frame), y));
    }
    EXPECT_NE(bare[1], markColour(115)) << "not drawn outside the continuous mode";

    bar_->setShowsStopwatchMarks(true);
    UpdateWindow(handle());
    EXPECT_EQ(pixelOf(handle(), markX(100), y), markColour(115));
    EXPECT_EQ(pixelOf(handle(), markX(150), y), markColour(117));
    EXPECT_EQ(pixelOf(handle(), markX(200), y), markColour(118));
    EXPECT_EQ(pixelOf(handle(), markX(250), y), bare[4]) << "the laps end at the first 0";
    EXPECT_EQ(pixelOf(handle(), markX(0), y), bare[0]) << "an end mark of 0 is none";

    marks.end = 250;
    bar_->setMarks(marks);
    UpdateWindow(handle());
    EXPECT_EQ(pixelOf(handle(), markX(250), y), markColour(116));
}

TEST_F(TrackBarTest, ShortLapsShowEveryMarkBesideTheOneBefore)
{
    bar_->setRange(0, 286);
    bar_->setValue(286, false);
    bar_->setShowsStopwatchMarks(true);
    const AlphaImage start(115);
    const int width = start.width();
    const int y = PlayTrackBar::markTop + start.height() / 2;
    const int half = width / 2;
    auto colourOf = [&](int id) { return pictureColour(id, half, start.height() / 2); };
    // Start at frame 100 and laps 2 and 4 frames later: at one pixel a frame, the laps would
    // stand 2 pixels apart; each is drawn whole right of the mark before it.
    TrackMarks marks;
    marks.start = 100;
    marks.laps = {102, 104};
    bar_->setMarks(marks);
    UpdateWindow(handle());
    const int startLeft = 100 + 5;
    EXPECT_EQ(pixelOf(handle(), startLeft + half, y), colourOf(115));
    EXPECT_EQ(pixelOf(handle(), startLeft + width + half, y), colourOf(117));
    EXPECT_EQ(pixelOf(handle(), startLeft + 2 * width + half, y), colourOf(118));
}

} // namespace
