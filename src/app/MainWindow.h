#pragma once
// The viewer's only top-level window: carries the menu, owns the player and the dashboard,
// opens recordings, keeps the title, passes every position change on, guards the settings
// dialogs across running copies and asks before quitting.
#include "playback/IPlayerOwner.h"
#include "ui/AlphaImage.h"
#include "ui/Window.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Animation;
class VideoPlayer;

class MainWindow : public Window, public IPlayerOwner {
public:
    // Registers the class "MainWindow" once and creates the window with menu 101, sized for the
    // operating system's major version.
    explicit MainWindow(int os_major_version);
    ~MainWindow() override;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Opens the recording in `folder` as the current data type asks; failures are shown.
    void open_recording(const std::wstring& folder);
    // Shows picture `index` of the open image folder.
    void show_picture(int index);
    // Opens the previous or next recording folder beside the open one.
    void step_recording(bool previous);
    // Shows the start-up animation over the player until the first recording is opened.
    void show_animation();
    // Runs a device command's dialog under the settings guard: `dialog` gets the last settings
    // folder and returns true (OK) with the folder the user chose.
    void run_guarded(const std::function<bool(std::wstring& folder)>& dialog);

    VideoPlayer& player() { return *player_; }
    const std::wstring& current_folder() const { return current_folder_; }
    const std::wstring& settings_folder() const { return settings_folder_; }
    const std::vector<std::wstring>& picture_names() const { return picture_names_; }
    bool animation_shown() const { return animation_ != nullptr; }
    // The title text for the present state.
    std::wstring title_text() const;

    // IPlayerOwner
    void position_update() override;
    void reset_display() override;
    void reset_console() override;
    bool stopwatch_measuring() const override;
    void end_stopwatch_measuring() override;
    void stopwatch_chapter_changing() override;
    void stopwatch_then_play(int then_play) override;
    void chapter_opening() override;
    void chapter_opened() override;
    HWND owner_window() const override { return handle(); }

    static constexpr int command_open = 40004;
    static constexpr int command_exit = 40005;
    static constexpr int command_settings = 40012;
    static constexpr int command_clock = 40015;
    static constexpr int command_help = 40019;
    static constexpr int command_version = 40020;
    static constexpr int command_restore = 40024;

private:
    void on_size(int width, int height);
    bool on_erase_background(HDC dc);
    void on_close();
    void on_command(int command);
    void on_get_min_max_info(MINMAXINFO& info) const;

    void open_command();
    // The guarded device commands: settings, clock and card restore.
    void settings_command();
    void clock_command();
    void restore_command();
    void open_kind(const std::wstring& folder);
    void open_pictures(const std::wstring& folder);
    void layout();
    void switch_mode();
    void update_title();
    void remove_animation();
    void pause_if_playing();
    bool something_open() const;

    VideoPlayer* player_ = nullptr; // belongs to its window, a child of this one
    Animation* animation_ = nullptr;
    HWND last_focus_ = nullptr;
    AlphaImage column_top_{218};
    AlphaImage column_tile_{219};
    AlphaImage column_bottom_{220};
    AlphaImage left_edge_{284};
    std::wstring current_folder_;
    std::wstring settings_folder_;
    std::vector<std::wstring> picture_names_; // image mode: the pictures, oldest first
    int start_height_ = 0;
};
