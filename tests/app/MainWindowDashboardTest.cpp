// The main window's side of the dashboard under Wine: where the panels stand in each display
// mode, how they follow the playback, and the chart caches dropped when another recording opens.
#include "app/MainWindow.h"

#include "app/MainLayout.h"

#include "panels/CircleChart.h"
#include "panels/ConfigPanel.h"
#include "panels/DashboardFixture.h"
#include "panels/InfoPanel.h"
#include "panels/LineChart.h"
#include "panels/SpeedMeter.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "recording/IVideoInfo.h"
#include "samplecard/CardWriter.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "ui/ImageTrackBar.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <objbase.h>

namespace {

RECT place_of(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void expect_place(HWND child, int x, int y, int width, int height)
{
    const RECT r = place_of(child);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.top, y);
    EXPECT_EQ(r.right - r.left, width);
    EXPECT_EQ(r.bottom - r.top, height);
}

class MainWindowDashboardTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }

    MainWindowDashboardTest()
    {
        set_current_data_type(data_type_event);
        window_ = new MainWindow(6);
        ShowWindow(window_->handle(), SW_SHOWNOACTIVATE);
        handle_ = window_->handle();
        GetClientRect(handle_, &client_);
    }
    ~MainWindowDashboardTest() override
    {
        if (IsWindow(handle_)) {
            DestroyWindow(handle_);
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        set_current_data_type(data_type_event);
    }

    std::wstring event_folder(const wchar_t* name, int frames, int detection)
    {
        samplecard::EventOptions options;
        options.frames = frames;
        options.detection_frame = detection;
        options.picture = {160, 120, 50};
        const std::wstring folder = card_.file(name);
        samplecard::write_event_folder(folder, options);
        return folder;
    }
    int red_in_column(int x)
    {
        window_->line_chart().redraw();
        const WindowPicture picture(window_->line_chart().handle());
        return picture.count(RGB(255, 0, 0), x, 0, x + 1, picture.height);
    }

    TempFolder card_;
    MessageRecorder messages_;
    MainWindow* window_ = nullptr;
    HWND handle_ = nullptr;
    RECT client_{};
};

TEST_F(MainWindowDashboardTest, PanelsStandInTheRightColumnAndTheLineChartAtTheBottom)
{
    const int w = client_.right;
    const int h = client_.bottom;
    const int y = h - 90; // the line chart's top
    expect_place(window_->line_chart().handle(), 0, y, w, 90);
    expect_place(window_->info_panel().handle(), w - 209, 0, 209, 125);
    expect_place(window_->speed_meter().handle(), w - 195, 128, 179, std::min(y - 544, MainLayout::speed_meter_max_height));
    expect_place(window_->circle_chart().handle(), w - 209, y - 320, 209, 165);
    expect_place(window_->config_panel().handle(), w - 209, y - 155, 209, 90);
    EXPECT_TRUE(IsWindowVisible(window_->line_chart().handle()));
    EXPECT_TRUE(IsWindowEnabled(window_->circle_chart().handle()));
    EXPECT_TRUE(IsWindowEnabled(window_->config_panel().volume_bar().handle()));
    // Nothing open: a dash for the speed and dashes for the time.
    EXPECT_EQ(window_->speed_meter().speed(), -1);
    EXPECT_EQ(window_->info_panel().content().state, InfoContent::nothing_open);
}

TEST_F(MainWindowDashboardTest, TheImageModeHasNoLineChartAGreyCircleAndNoVolume)
{
    const std::wstring folder = card_.file(L"IMAGE");
    samplecard::write_image_folder(folder, 5, 3, {160, 120, 50});
    set_current_data_type(data_type_image);
    window_->open_recording(folder);
    EXPECT_FALSE(IsWindowVisible(window_->line_chart().handle()));
    EXPECT_FALSE(IsWindowEnabled(window_->line_chart().handle()));
    EXPECT_FALSE(IsWindowEnabled(window_->circle_chart().handle()));
    EXPECT_FALSE(IsWindowEnabled(window_->config_panel().volume_bar().handle()));
    EXPECT_TRUE(IsWindowEnabled(window_->config_panel().brightness_bar().handle()));
    ASSERT_TRUE(pumpUntil([&] { return window_->player().picture() != nullptr; }, 5000));
    EXPECT_EQ(window_->info_panel().content().label_image, 430); // 画像記録
    // Back to an event recording: the line chart returns.
    set_current_data_type(data_type_event);
    window_->open_recording(event_folder(L"0001", 45, 20));
    EXPECT_TRUE(IsWindowVisible(window_->line_chart().handle()));
    EXPECT_TRUE(IsWindowEnabled(window_->circle_chart().handle()));
    EXPECT_TRUE(IsWindowEnabled(window_->config_panel().volume_bar().handle()));
    expect_place(window_->line_chart().handle(), 0, client_.bottom - 90, client_.right, 90);
}

TEST_F(MainWindowDashboardTest, ThePanelsFollowThePlayingFrame)
{
    window_->open_recording(event_folder(L"0001", 120, 60));
    ASSERT_TRUE(pumpUntil([&] { return window_->player().frame() > 10; }, 5000));
    window_->player().pause();
    const IVideoInfo* info = window_->player().info();
    ASSERT_NE(info, nullptr);
    const FrameRecord* record = info->frame_record(window_->player().frame());
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(window_->speed_meter().speed(), record->speed);
    EXPECT_TRUE(window_->line_chart().cache_ready());
    EXPECT_TRUE(window_->circle_chart().cache_ready());
    const InfoContent content = window_->info_panel().content();
    EXPECT_EQ(content.state, InfoContent::complete);
    EXPECT_NE(content.clock, "--:--:--");
    EXPECT_EQ(content.label_image, InfoContent::label_image_of(info->kind_code()));
}

TEST_F(MainWindowDashboardTest, OpeningAnotherRecordingRedrawsTheChartsFromIt)
{
    window_->open_recording(event_folder(L"0001", 200, 160));
    window_->player().pause();
    const std::optional<int> first = window_->line_chart().geometry().detection_x(*window_->player().info());
    ASSERT_TRUE(first);
    const int first_x = 20 + *first;
    EXPECT_GT(red_in_column(first_x), 10);

    window_->open_recording(event_folder(L"0002", 200, 30));
    window_->player().pause();
    const std::optional<int> second = window_->line_chart().geometry().detection_x(*window_->player().info());
    ASSERT_TRUE(second);
    const int second_x = 20 + *second;
    ASSERT_GT(first_x - second_x, 100);
    EXPECT_GT(red_in_column(second_x), 10);
    EXPECT_EQ(red_in_column(first_x), 0) << "the first recording's chart was kept";
}

} // namespace
