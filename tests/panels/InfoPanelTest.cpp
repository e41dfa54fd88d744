// The info panel under Wine: nothing open, an event recording, incomplete information and the
// warning icon, read from the panel and from its pixels.
#include "panels/InfoPanel.h"

#include "panels/DashboardFixture.h"
#include "support/TestZone.h"

#include <gtest/gtest.h>

namespace {

class InfoPanelTest : public ::testing::Test {
protected:
    InfoPanelTest()
    {
        use_recorder_time_zone();
        panel_ = new InfoPanel(host_.get(), source_);
        MoveWindow(panel_->handle(), 0, 0, 209, 125, TRUE);
        pumpPending();
    }
    WindowPicture shown()
    {
        panel_->repaint();
        UpdateWindow(panel_->handle());
        return WindowPicture(panel_->handle());
    }
    void open_event(int64_t recorded, int64_t detected)
    {
        source_.recording = recording_of(30, 0, 0, 20);
        source_.recording->recorded = recorded;
        source_.recording->kind = 1;
        source_.detection = detected;
    }

    HostWindow host_{0, 0, 300, 200};
    TestSource source_;
    InfoPanel* panel_ = nullptr; // belongs to its window
    const int64_t recorded_ = jst_seconds(2024, 5, 17, 8, 42, 16);
};

constexpr COLORREF blue = RGB(0, 0, 255);

TEST_F(InfoPanelTest, NothingOpenShowsDashesWithoutLabelOrIcon)
{
    const InfoContent content = panel_->content();
    EXPECT_EQ(content.date, "----/--/--");
    EXPECT_EQ(content.clock, "--:--:--");
    EXPECT_EQ(content.label_image, 0);
    const WindowPicture empty = shown();
    open_event(recorded_, recorded_);
    const WindowPicture event = shown();
    // The dashes stand where the digits go, and the label's place stays as the background.
    EXPECT_FALSE(differing_columns(empty, event).empty());
    int label_pixels_changed = 0;
    for (int y = 85; y < 105; ++y) {
        for (int x = 70; x < 150; ++x) {
            label_pixels_changed += empty.at(x, y) != event.at(x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(label_pixels_changed, 100) << "the event's label is drawn, the empty panel has none";
}

TEST_F(InfoPanelTest, AnEventWhoseDetectionTimeIsItsRecordingTimeShowsTheRecordingTime)
{
    open_event(recorded_, recorded_);
    InfoContent content = panel_->content();
    EXPECT_EQ(content.state, InfoContent::complete);
    EXPECT_EQ(content.date, "2024/05/17");
    EXPECT_EQ(content.clock, "08:42:16");
    EXPECT_EQ(content.label_image, 288);
    // A later detection instant is shown instead; the same digits in the date.
    const WindowPicture at_recording = shown();
    source_.detection = recorded_ + 15;
    EXPECT_EQ(panel_->content().clock, "08:42:31");
    const WindowPicture at_detection = shown();
    const std::vector<int> changed = differing_columns(at_recording, at_detection);
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), 20 + 4 * 24 + 2 * 12) << "only the seconds change";
}

TEST_F(InfoPanelTest, IncompleteInformationShowsTheNoteInBlueAndNothingElse)
{
    EXPECT_EQ(shown().count(blue), 0);
    open_event(recorded_, recorded_);
    source_.recording->incomplete = true;
    source_.flag = true;
    const InfoContent content = panel_->content();
    EXPECT_EQ(content.state, InfoContent::incomplete);
    EXPECT_EQ(content.label_image, 0);
    EXPECT_FALSE(content.warning);
    const WindowPicture note = shown();
    EXPECT_GT(note.count(blue, 35, 15, 170, 105), 50);
    EXPECT_EQ(note.count(blue) - note.count(blue, 35, 15, 170, 105), 0) << "the note stays in its rectangle";
    // Far wider than the rectangle, the note is wrapped onto lines below its first.
    EXPECT_GT(note.count(blue, 35, 50, 170, 105), 20);
}

TEST_F(InfoPanelTest, TheWarningIconFollowsTheArchiveFlag)
{
    open_event(recorded_, recorded_);
    const WindowPicture without = shown();
    source_.flag = true;
    EXPECT_TRUE(panel_->content().warning);
    const WindowPicture with = shown();
    const std::vector<int> changed = differing_columns(without, with);
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), 150);
    EXPECT_LT(changed.back(), 150 + 22);
}

} // namespace
