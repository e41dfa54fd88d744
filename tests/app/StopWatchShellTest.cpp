// The stopwatch in the main window, timing laps over a continuous recording as it plays under
// Wine: its buttons, its laps across a chapter change, the lap list, and what opening another
// recording does to it.
#include "ShellFixture.h"

#include "base/Text.h"
#include "panels/StopWatch.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "recording/VideoArchive.h"
#include "samplecard/CardWriter.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "panels/ConsolePanel.h"
#include "ui/AlphaImage.h"
#include "ui/ImageButton.h"
#include "ui/PlayTrackBar.h"
#include "ui/SkinPixels.h"
#include "ui/WindowUtilities.h"

#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <objbase.h>

namespace {

constexpr int chapter_frames = 100; // 10 s chapters keep the tests short

class StopWatchShellTest : public ShellFixture {
protected:
    std::wstring continuous_folder(const wchar_t* name, int chapters = 3)
    {
        samplecard::ContinuousOptions options;
        options.chapters = chapters;
        options.chapter_frames = chapter_frames;
        options.picture = {160, 120, 50};
        const std::wstring folder = card_.file(name);
        samplecard::write_continuous_folder(folder, options);
        return folder;
    }

    void open_continuous(const std::wstring& folder)
    {
        set_current_data_type(data_type_continuous);
        window_->open_recording(folder);
        ASSERT_EQ(player().state(), VideoPlayer::playing);
    }

    // Plays on until the player stands at `frame` of `chapter` or later.
    bool play_to(int chapter, int frame)
    {
        return pumpUntil(
            [&] { return player().chapter() > chapter || (player().chapter() == chapter && player().frame() >= frame); },
            20000);
    }

    // A click as the user makes it: nothing reaches a disabled button.
    static bool click(ImageButton& button)
    {
        if (!isEnabled(button.handle()) || !IsWindowVisible(button.handle())) {
            return false;
        }
        SendMessageW(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        return true;
    }

    // The record of a global frame, read from the chapter file by itself.
    FrameRecord recorded(const std::wstring& folder, int global_frame)
    {
        wchar_t name[32];
        swprintf(name, 32, L"\\Video%04d.dmv", global_frame / 600 + 1);
        VideoArchive archive;
        archive.load_chapter(folder + name);
        const FrameRecord* record = archive.frame_record(global_frame % 600);
        return record != nullptr ? *record : FrameRecord{};
    }
    int recorded_ms(const std::wstring& folder, int global_frame) { return recorded(folder, global_frame).ms; }
    // The mean speed of the recorded frames from .. to - 1 (global frames), truncated.
    int mean_speed(const std::wstring& folder, std::initializer_list<std::pair<int, int>> spans)
    {
        int sum = 0;
        int count = 0;
        for (const auto& [from, to] : spans) {
            for (int frame = from; frame < to; ++frame, ++count) {
                sum += recorded(folder, frame).speed;
            }
        }
        return sum / count;
    }

    VideoPlayer& player() { return window_->player(); }
    StopWatch& stopwatch() { return window_->stopwatch(); }

};

TEST_F(StopWatchShellTest, StandsInTheRightColumnDisabledUntilAContinuousRecordingPlays)
{
    RECT client{};
    GetClientRect(handle_, &client);
    RECT place{};
    GetWindowRect(stopwatch().handle(), &place);
    MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, client.right - 209);
    EXPECT_EQ(place.right - place.left, 209);
    EXPECT_EQ(place.bottom - place.top, 89);
    EXPECT_FALSE(isEnabled(stopwatch().handle()));
    EXPECT_FALSE(isEnabled(stopwatch().start_stop_button().handle()));

    open_continuous(continuous_folder(L"CONT"));
    EXPECT_TRUE(isEnabled(stopwatch().handle()));
    EXPECT_TRUE(isEnabled(stopwatch().start_stop_button().handle()));
    EXPECT_TRUE(isEnabled(stopwatch().lap_reset_button().handle()));
    EXPECT_TRUE(isEnabled(stopwatch().lap_list_button().handle()));
}

TEST_F(StopWatchShellTest, TimesLapsAcrossAChapterChangeFromTheRecordedTimes)
{
    const std::wstring folder = continuous_folder(L"CONT");
    open_continuous(folder);
    player().seek_total(85, 1); // the sample drive sets off within its first 8 s
    ASSERT_TRUE(play_to(0, 86));
    ASSERT_TRUE(click(stopwatch().start_stop_button()));
    EXPECT_TRUE(stopwatch().measuring());
    const int start = stopwatch().start_mark();
    EXPECT_GE(start, 86);
    ASSERT_TRUE(play_to(0, 93));
    ASSERT_TRUE(click(stopwatch().lap_reset_button()));
    ASSERT_TRUE(play_to(1, 10)); // through the chapter change
    ASSERT_TRUE(click(stopwatch().lap_reset_button()));
    ASSERT_TRUE(play_to(1, 20));
    ASSERT_TRUE(click(stopwatch().start_stop_button()));

    const LapMeasurement& laps = stopwatch().measurement();
    EXPECT_FALSE(laps.measuring());
    ASSERT_EQ(laps.lap_count(), 3);
    const int first = laps.lap_marks()[0];
    const int second = laps.lap_marks()[1];
    EXPECT_LT(first, 600);
    EXPECT_GE(second, 600 + 10);
    EXPECT_EQ(laps.lap_marks()[2], 0);
    const int end = laps.end_mark();
    EXPECT_GE(end, 600 + 20);
    EXPECT_EQ(laps.lap_duration(1), recorded_ms(folder, first) - recorded_ms(folder, start));
    EXPECT_EQ(laps.lap_duration(2), recorded_ms(folder, second) - recorded_ms(folder, first));
    EXPECT_EQ(laps.lap_duration(3), recorded_ms(folder, end) - recorded_ms(folder, second));
    EXPECT_EQ(laps.total(), recorded_ms(folder, end) - recorded_ms(folder, start));
    // Within a chapter a lap averages the frames after its start up to its end; across the
    // chapter change, the rest of the first chapter and the second up to its end frame.
    EXPECT_EQ(laps.lap_average(1), mean_speed(folder, {{start + 1, first + 1}}));
    EXPECT_EQ(laps.lap_average(2), mean_speed(folder, {{first + 1, chapter_frames}, {600, second}}));
    EXPECT_EQ(laps.lap_average(3), mean_speed(folder, {{second + 1, end + 1}}));
    EXPECT_GT(laps.lap_average(3), 0) << "the drive is under way";
    // A finished measurement waits for a reset before a new start.
    EXPECT_FALSE(isEnabled(stopwatch().start_stop_button().handle()));
    EXPECT_TRUE(isEnabled(stopwatch().lap_reset_button().handle()));
    EXPECT_EQ(stopwatch().last_mark(), second);
}

TEST_F(StopWatchShellTest, TheLapListOpensFromItsButtonOnceAndEnablesItAgainWhenClosed)
{
    open_continuous(continuous_folder(L"CONT"));
    ASSERT_TRUE(play_to(0, 3));
    click(stopwatch().start_stop_button());
    ASSERT_TRUE(play_to(0, 8));
    click(stopwatch().lap_reset_button());
    ASSERT_TRUE(click(stopwatch().lap_list_button()));
    LapDialog& list = stopwatch().lap_list();
    ASSERT_TRUE(list.is_open());
    EXPECT_FALSE(isEnabled(stopwatch().lap_list_button().handle()));
    EXPECT_EQ(GetWindow(list.handle(), GW_OWNER), handle_); // the stopwatch's top-level window
    // Position updates keep the button disabled while the list is open.
    ASSERT_TRUE(play_to(0, 12));
    EXPECT_FALSE(isEnabled(stopwatch().lap_list_button().handle()));
    SendMessageW(GetDlgItem(list.handle(), IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(list.is_open());
    EXPECT_TRUE(isEnabled(stopwatch().lap_list_button().handle()));
}

TEST_F(StopWatchShellTest, AfterNineLapsOnlyTheStopIsLeftAndItClosesTheTenth)
{
    open_continuous(continuous_folder(L"CONT"));
    ASSERT_TRUE(play_to(0, 2));
    ASSERT_TRUE(click(stopwatch().start_stop_button()));
    for (int lap = 1; lap <= 9; ++lap) {
        ASSERT_TRUE(play_to(0, 2 + lap)) << lap;
        ASSERT_TRUE(click(stopwatch().lap_reset_button())) << lap;
    }
    EXPECT_EQ(stopwatch().lap_count(), 9);
    EXPECT_FALSE(isEnabled(stopwatch().lap_reset_button().handle()));
    EXPECT_FALSE(click(stopwatch().lap_reset_button()));
    ASSERT_TRUE(click(stopwatch().start_stop_button()));
    EXPECT_EQ(stopwatch().lap_count(), 10);
    EXPECT_NE(stopwatch().end_mark(), 0);
    // Lap/reset now clears the measurement, and a new start is allowed while playing.
    ASSERT_TRUE(click(stopwatch().lap_reset_button()));
    EXPECT_EQ(stopwatch().lap_count(), 0);
    EXPECT_EQ(stopwatch().last_mark(), 0);
    EXPECT_TRUE(isEnabled(stopwatch().start_stop_button().handle()));
}

TEST_F(StopWatchShellTest, StartStopDoesNothingWhilePaused)
{
    open_continuous(continuous_folder(L"CONT"));
    ASSERT_TRUE(play_to(0, 3));
    player().pause();
    EXPECT_FALSE(isEnabled(stopwatch().start_stop_button().handle()));
    // Even a click that got through would not start.
    stopwatch().buttonClicked(&stopwatch().start_stop_button());
    EXPECT_FALSE(stopwatch().measuring());
    EXPECT_EQ(stopwatch().start_mark(), 0);
    player().resume();
    ASSERT_TRUE(pumpUntil([&] { return isEnabled(stopwatch().start_stop_button().handle()); }));
}

TEST_F(StopWatchShellTest, OpeningAnotherRecordingAsksFirstAndCancelKeepsTheLaps)
{
    const std::wstring first = continuous_folder(L"0001", 2);
    const std::wstring second = continuous_folder(L"0002", 2);
    open_continuous(first);
    ASSERT_TRUE(play_to(0, 3));
    click(stopwatch().start_stop_button());
    ASSERT_TRUE(play_to(0, 9));
    click(stopwatch().start_stop_button());
    ASSERT_EQ(stopwatch().lap_count(), 1);
    click(stopwatch().lap_list_button());

    messages_.answer(IDCANCEL);
    SendMessageW(handle_, WM_COMMAND, IDC_CMD_OPEN, 0); // Cancel: the folder chooser never opens
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, L"LAP LISTが消去されます。よろしいですか？");
    EXPECT_EQ(messages_.shown()[0].captionId, texts::caption_confirm);
    EXPECT_EQ(messages_.shown()[0].style, static_cast<UINT>(MB_ICONQUESTION | MB_OKCANCEL));
    window_->step_recording(false);
    EXPECT_EQ(messages_.shown().size(), 2u);
    EXPECT_EQ(window_->current_folder(), first);
    EXPECT_EQ(stopwatch().lap_count(), 1);
    EXPECT_NE(stopwatch().end_mark(), 0);

    messages_.answer(IDOK);
    window_->step_recording(false);
    EXPECT_EQ(messages_.shown().size(), 3u);
    EXPECT_EQ(window_->current_folder(), second);
    EXPECT_EQ(stopwatch().lap_count(), 0);
    EXPECT_EQ(stopwatch().start_mark(), 0);
    EXPECT_EQ(stopwatch().end_mark(), 0);
    EXPECT_EQ(player().frame_table().time(600), 0) << "the frame table starts afresh";
    EXPECT_TRUE(stopwatch().lap_list().is_open()) << "the continuous mode keeps the list, repainted";
    EXPECT_FALSE(isEnabled(stopwatch().lap_list_button().handle()));
    // Without laps nothing is asked.
    window_->step_recording(true);
    EXPECT_EQ(messages_.shown().size(), 3u);
    EXPECT_EQ(window_->current_folder(), first);
}

TEST_F(StopWatchShellTest, AnEventRecordingClosesTheLapListAndDisablesTheStopwatch)
{
    open_continuous(continuous_folder(L"CONT"));
    click(stopwatch().lap_list_button());
    ASSERT_TRUE(stopwatch().lap_list().is_open());
    samplecard::EventOptions options;
    options.frames = 30;
    options.picture = {160, 120, 50};
    const std::wstring event = card_.file(L"EVENT");
    samplecard::write_event_folder(event, options);
    set_current_data_type(data_type_event);
    window_->open_recording(event);
    EXPECT_EQ(player().state(), VideoPlayer::playing);
    EXPECT_FALSE(stopwatch().lap_list().is_open());
    EXPECT_FALSE(isEnabled(stopwatch().handle()));
    EXPECT_FALSE(isEnabled(stopwatch().start_stop_button().handle()));
    EXPECT_FALSE(isEnabled(stopwatch().lap_list_button().handle()));
}

TEST_F(StopWatchShellTest, AChapterThatFailsToLoadResetsTheStopwatch)
{
    const std::wstring folder = continuous_folder(L"CONT", 2);
    open_continuous(folder);
    ASSERT_TRUE(play_to(0, 3));
    click(stopwatch().start_stop_button());
    ASSERT_TRUE(play_to(0, 6));
    click(stopwatch().lap_reset_button());
    // The second chapter goes bad before playback reaches it.
    write_bytes(folder + L"\\Video0002.dmv", {1, 2, 3});
    ASSERT_TRUE(pumpUntil([&] { return !messages_.shown().empty(); }, 20000));
    EXPECT_EQ(messages_.shown()[0].text, load_text(texts::data_unreadable));
    EXPECT_FALSE(stopwatch().measuring());
    EXPECT_EQ(stopwatch().lap_count(), 0);
    EXPECT_EQ(stopwatch().last_mark(), 0);
    EXPECT_FALSE(isEnabled(stopwatch().handle()));
    EXPECT_FALSE(isEnabled(stopwatch().lap_reset_button().handle()));
}

} // namespace

namespace {

// Recordings of whole one-minute chapters, where a global frame is also the position bar's value.
class StopWatchBarTest : public StopWatchShellTest {
protected:
    std::wstring minute_chapters()
    {
        samplecard::ContinuousOptions options;
        options.chapters = 2;
        options.last_chapter_frames = 200;
        options.picture = {160, 120, 50};
        const std::wstring folder = card_.file(L"CONT");
        samplecard::write_continuous_folder(folder, options);
        return folder;
    }
    int position() { return player().chapter() * 600 + player().frame(); }
    // The centre of the mark picture `id` standing at `value` on the bar.
    POINT mark_centre(int id, int value)
    {
        PlayTrackBar& bar = window_->console().positionBar();
        RECT client{};
        GetClientRect(bar.handle(), &client);
        const AlphaImage thumb(10031);
        const AlphaImage mark(id);
        const int span = bar.maximum() - bar.minimum();
        const int pixel = static_cast<int>(static_cast<double>(value - bar.minimum()) * (client.right - thumb.width()) / span);
        return {pixel + thumb.width() / 2 - mark.width() / 2 + 2 + mark.width() / 2, PlayTrackBar::markTop + mark.height() / 2};
    }
    COLORREF mark_colour(int id)
    {
        const AlphaImage mark(id);
        return pictureColour(id, mark.width() / 2, mark.height() / 2);
    }
};

TEST_F(StopWatchBarTest, MarksStandOnThePositionBarAndTheBarNeverGoesBeforeTheLastWhileMeasuring)
{
    open_continuous(minute_chapters());
    player().seek_total(500, 1);
    ASSERT_TRUE(play_to(0, 505));
    ASSERT_TRUE(click(stopwatch().start_stop_button()));
    ASSERT_TRUE(play_to(0, 540));
    ASSERT_TRUE(click(stopwatch().lap_reset_button()));
    ASSERT_TRUE(play_to(0, 575));
    ASSERT_TRUE(click(stopwatch().lap_reset_button()));
    ASSERT_TRUE(play_to(1, 10));
    ASSERT_TRUE(click(stopwatch().lap_reset_button()));
    const int last = stopwatch().last_mark();
    ASSERT_GE(last, 610);
    ASSERT_TRUE(play_to(1, 50)); // the thumb well clear of the marks

    PlayTrackBar& bar = window_->console().positionBar();
    EXPECT_EQ(bar.marks().start, stopwatch().start_mark());
    EXPECT_EQ(bar.marks().laps, stopwatch().lap_marks());
    EXPECT_EQ(bar.marks().end, 0);
    EXPECT_TRUE(bar.barrier());
    const int marks[] = {stopwatch().start_mark(), stopwatch().lap_marks()[0], stopwatch().lap_marks()[1], last};
    const int pictures[] = {115, 117, 118, 119};
    for (int i = 0; i < 4; ++i) {
        const POINT centre = mark_centre(pictures[i], marks[i]);
        EXPECT_EQ(pixelOf(bar.handle(), centre.x, centre.y), mark_colour(pictures[i])) << pictures[i];
    }

    // Dragging the thumb to the far left leaves it where it was.
    const int thumb = bar.thumbX() + 3;
    SendMessageW(bar.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(thumb, 10));
    SendMessageW(bar.handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 10));
    SendMessageW(bar.handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 10));
    pumpPending();
    EXPECT_GE(position(), last);
    EXPECT_TRUE(stopwatch().measuring());
    // A click left of the last mark lands on it, not before it (give or take a pixel's frames).
    SendMessageW(bar.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 10));
    SendMessageW(bar.handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 10));
    pumpPending();
    const int frames_per_pixel = 700 / 500 + 1;
    EXPECT_GE(position(), last - frames_per_pixel);
    EXPECT_LE(position(), last + 10);
    // The previous-chapter step is raised to the last mark while measuring.
    ASSERT_TRUE(play_to(1, 30));
    ASSERT_TRUE(click(window_->console().backButton()));
    pumpPending();
    EXPECT_EQ(player().chapter(), 1);
    EXPECT_GE(position(), last);
    EXPECT_LE(position(), last + 10);

    // Once stopped the bar is free again and the end mark is drawn.
    ASSERT_TRUE(play_to(1, 40));
    ASSERT_TRUE(click(stopwatch().start_stop_button()));
    EXPECT_FALSE(bar.barrier());
    EXPECT_EQ(bar.marks().end, stopwatch().end_mark());
    ASSERT_TRUE(play_to(1, 100));
    const POINT end = mark_centre(116, stopwatch().end_mark());
    EXPECT_EQ(pixelOf(bar.handle(), end.x, end.y), mark_colour(116));
}

} // namespace
