#pragma once
// The viewer's only top-level window: carries the menu, owns the player and the dashboard,
// opens recordings, keeps the title, passes every position change on, guards the settings
// dialogs across running copies and asks before quitting.
#include "panels/IConsoleOwner.h"
#include "panels/IThumbnailOwner.h"
#include "ResourceIds.h"
#include "playback/IPlayerOwner.h"
#include "ui/AlphaImage.h"
#include "ui/Window.h"

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class Animation;
class CircleChart;
class ImageButton;
class ConfigPanel;
class ConsolePanel;
class InfoPanel;
class LineChart;
class MainLayout;
class PlayerDashboardSource;
class SpeedMeter;
class Thumbnail;
class StopWatch;
class VideoPlayer;

class MainWindow : public Window, public IPlayerOwner, public IConsoleOwner, public IThumbnailOwner {
public:
    // Registers the class "MainWindow" once and creates the window with the main menu, sized for the
    // operating system's major version.
    explicit MainWindow(int os_major_version);
    ~MainWindow() override;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Opens the recording in `folder` as the current data type asks; failures are shown.
    void open_recording(const std::wstring& folder);
    // Shows picture `index` of the open image folder large (the thumbnail strip asks).
    void show_picture(int index) override;
    void thumbnail_folder_gone() override;
    // Opens the previous or next recording folder beside the open one.
    void step_recording(bool previous) override;
    // Shows the start-up animation over the player until the first recording is opened.
    void show_animation();
    // Runs a device command's dialog under the settings guard: `dialog` gets the last settings
    // folder and returns true (OK) with the folder the user chose.
    void run_guarded(const std::function<bool(std::wstring& folder)>& dialog);

    // Whether ファイル → 動画ファイルに書き出す applies now (an event or continuous recording is open).
    bool clip_export_applies() const;
    // Tests answer the export's save dialog themselves.
    void set_clip_path_chooser(std::function<bool(HWND, std::wstring&)> chooser) { clip_path_chooser_ = std::move(chooser); }

    VideoPlayer& player() { return *player_; }
    StopWatch& stopwatch() { return *stopwatch_; }
    ConsolePanel& console() { return *console_; }
    const std::wstring& current_folder() const { return current_folder_; }
    const std::wstring& settings_folder() const { return settings_folder_; }
    Thumbnail& thumbnails() { return *thumbnail_; }
    bool animation_shown() const { return animation_ != nullptr; }
    SpeedMeter& speed_meter() { return *speed_meter_; }
    CircleChart& circle_chart() { return *circle_chart_; }
    LineChart& line_chart() { return *line_chart_; }
    InfoPanel& info_panel() { return *info_panel_; }
    ConfigPanel& config_panel() { return *config_panel_; }
    // The title text for the present state.
    std::wstring title_text() const;

    // IPlayerOwner
    void position_update() override;
    void reset_display() override;
    void reset_console() override;
    bool stopwatch_measuring() const override;
    void end_stopwatch_measuring() override;
    void stopwatch_then_play(int then_play) override;
    void chapter_opening() override;
    void chapter_opened() override;
    HWND owner_window() const override { return handle(); }

private:
    void on_size(int width, int height);
    bool on_erase_background(HDC dc);
    void on_close();
    void on_command(int command);
    void on_get_min_max_info(MINMAXINFO& info) const;

    void open_command();
    void on_init_menu_popup(HMENU menu);
    void export_clip_command();
    void help_command();
    void version_command();
    // The guarded device commands: settings, clock and card restore.
    void settings_command();
    void clock_command();
    void restore_command();
    void open_kind(const std::wstring& folder);
    void open_pictures(const std::wstring& folder);
    MainLayout current_layout() const;
    void layout();
    void switch_mode();
    void update_title();
    void remove_animation();
    void pause_if_playing();
    bool something_open() const;
    // The stopwatch's part in opening a recording: the question before laps are lost, and the
    // reset and mode that follow.
    bool laps_may_be_cleared();
    void stopwatch_for_opened_recording();

    // Saving out of the open recording (MainWindowSaving.cpp): the shown frame as its JPEG file
    // and the telemetry as CSV, with their items in the ファイル menu.
    void on_init_menu(HMENU menu_bar);
    bool frame_savable() const;
    void save_frame_command();
    void export_telemetry_command();
    // The keyboard and the mouse (MainWindowInput.cpp): the accelerator table's playback keys,
    // each doing nothing where its console button is disabled, and a folder dropped on the window.
    void key_command(int command);
    void click_if_enabled(ImageButton& button);
    void seek_by_key(int move);
    void on_drop_files(HDROP drop);

    // The dashboard: speed meter, charts, info and config panels.
    void create_dashboard();
    void place_dashboard(const MainLayout& places);
    void switch_dashboard_mode(const MainLayout& places);
    void update_dashboard();
    void drop_chart_caches();

    VideoPlayer* player_ = nullptr; // belongs to its window, a child of this one
    StopWatch* stopwatch_ = nullptr; // likewise
    ConsolePanel* console_ = nullptr; // likewise
    Animation* animation_ = nullptr;
    std::unique_ptr<PlayerDashboardSource> dashboard_source_;
    // Each panel belongs to its window, a child of this one.
    SpeedMeter* speed_meter_ = nullptr;
    CircleChart* circle_chart_ = nullptr;
    LineChart* line_chart_ = nullptr;
    InfoPanel* info_panel_ = nullptr;
    ConfigPanel* config_panel_ = nullptr;
    Thumbnail* thumbnail_ = nullptr; // belongs to its window, a child of this one
    HWND last_focus_ = nullptr;
    AlphaImage column_top_{IDB_COLUMN_TOP};
    AlphaImage column_tile_{IDB_COLUMN_TILE};
    AlphaImage column_bottom_{IDB_COLUMN_BOTTOM};
    AlphaImage left_edge_{IDB_LEFT_EDGE};
    std::wstring current_folder_;
    std::wstring settings_folder_;
    int start_height_ = 0;
    std::function<bool(HWND, std::wstring&)> clip_path_chooser_;
};
