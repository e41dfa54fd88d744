#include "app/MainWindow.h"

#include "app/ClipExportCommand.h"
#include "app/MainLayout.h"
#include "base/Exception.h"
#include "platform/Messages.h"
#include "base/Text.h"
#include "platform/WindowsError.h"
#include "device/AboutDialog.h"
#include "device/FolderChooser.h"
#include "panels/ConsolePanel.h"
#include "panels/CircleChart.h"
#include "panels/ConfigPanel.h"
#include "panels/InfoPanel.h"
#include "panels/LineChart.h"
#include "panels/PlayerDashboardSource.h"
#include "panels/SpeedMeter.h"
#include "panels/Thumbnail.h"
#include "panels/StopWatch.h"
#include "ResourceIds.h"
#include "device/HelpPage.h"
#include "device/CardRestore.h"
#include "device/DateTimeDialog.h"
#include "device/GThresholdDialog09.h"
#include "playback/VideoPlayer.h"
#include "playback/WaveAudioPlayer.h"
#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"
#include "platform/SystemHandles.h"
#include "recording/DataType.h"
#include "recording/FolderPath.h"
#include "recording/NeighbourRecording.h"
#include "recording/RecordingFolder.h"
#include "ui/Animation.h"
#include "ui/DialogMutex.h"

#include <algorithm>

namespace {

constexpr const wchar_t* class_name = L"MainWindow";

// Every move repaints the whole child, background first, from nothing: the pixels a move copies
// along are stale where the panel draws only when told (the info panel and the others while
// playback is paused, or in the image mode).
void move_child(HWND child, const Placement& place)
{
    SetWindowPos(child, nullptr, place.x, place.y, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    RedrawWindow(child, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void register_class()
{
    static ATOM atom = 0;
    if (atom != 0) {
        return;
    }
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hIcon = LoadIconW(window_class.hInstance, MAKEINTRESOURCEW(IDI_PROGRAM));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name;
    atom = RegisterClassExW(&window_class);
    if (atom == 0) {
        throw format_error(GetLastError());
    }
}

// The folder of the viewer's own program, with a trailing backslash.
std::wstring program_folder() { return parent_folder(program_path()) + path_separator; }

} // namespace

MainWindow::MainWindow(int os_major_version)
    : current_folder_(program_folder()), settings_folder_(program_folder()), clip_path_chooser_(choose_clip_path)
{
    register_class();
    const Placement start = MainLayout::start_window(os_major_version, GetSystemMetrics(SM_CXFULLSCREEN),
                                                     GetSystemMetrics(SM_CYFULLSCREEN));
    start_height_ = start.height;
    const std::wstring title = load_text(texts::program_title);
    CreationRecord record;
    record.extendedStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
    record.className = class_name;
    record.windowName = title.c_str();
    record.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    record.x = start.x;
    record.y = start.y;
    record.width = start.width;
    record.height = start.height;
    MenuHandle menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_MAIN)));
    if (!menu) {
        throw format_error(GetLastError());
    }
    record.menu = menu.get();
    create(record);
    menu.release(); // the window's now: destroyed with it
    player_ = new VideoPlayer(handle(), *this);
    stopwatch_ = new StopWatch(handle(), *player_);
    console_ = new ConsolePanel(handle(), *this, *player_, *stopwatch_);
    // The position bar shows the stopwatch's marks as soon as they change.
    stopwatch_->set_marks_listener([this] { console_->refresh(); });
    stopwatch_->full_reset();
    create_dashboard();
    thumbnail_ = new Thumbnail(handle(), *this);
    switch_mode();
    DragAcceptFiles(handle(), TRUE);
}

MainWindow::~MainWindow() = default;

LRESULT MainWindow::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        on_size(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        if (on_erase_background(reinterpret_cast<HDC>(wParam))) {
            return 1;
        }
        break;
    case WM_PAINT:
        ValidateRect(handle(), nullptr); // the background and the children draw everything
        return 0;
    case WM_CLOSE:
        on_close();
        return 0;
    case WM_MOUSEACTIVATE:
        last_focus_ = GetFocus();
        break;
    case WM_GETMINMAXINFO:
        on_get_min_max_info(*reinterpret_cast<MINMAXINFO*>(lParam));
        return 0;
    case WM_INITMENUPOPUP:
        on_init_menu_popup(reinterpret_cast<HMENU>(wParam));
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) <= 1 && lParam == 0) { // menu commands and keys only
            on_command(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_INITMENU:
        on_init_menu(reinterpret_cast<HMENU>(wParam));
        return 0;
    case WM_DROPFILES:
        on_drop_files(reinterpret_cast<HDROP>(wParam));
        return 0;
    default:
        break;
    }
    return Window::windowProc(message, wParam, lParam);
}

// ---- layout and drawing ---------------------------------------------------------------------

void MainWindow::on_size(int, int) { layout(); }

MainLayout MainWindow::current_layout() const
{
    RECT client{};
    GetClientRect(handle(), &client);
    return MainLayout(client.right, client.bottom, current_data_type());
}

void MainWindow::layout()
{
    const MainLayout places = current_layout();
    place_dashboard(places);
    if (player_ != nullptr) {
        move_child(player_->handle(), places.player());
    }
    if (console_ != nullptr) {
        move_child(console_->handle(), places.console());
    }
    if (thumbnail_ != nullptr) {
        move_child(thumbnail_->handle(), places.bottom_strip());
    }
    if (animation_ != nullptr) {
        move_child(animation_->handle(), places.animation());
    }
    if (stopwatch_ != nullptr) {
        move_child(stopwatch_->handle(), places.stopwatch());
    }
}

bool MainWindow::on_erase_background(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (!column_top_.hasPicture() || !column_tile_.hasPicture() || !column_bottom_.hasPicture() ||
        !left_edge_.hasPicture()) {
        return true;
    }
    const BackgroundPieces pieces =
        current_layout().background(column_top_.height(), column_tile_.height(), column_bottom_.height());
    column_bottom_.drawAt(dc, pieces.column_bottom.x, pieces.column_bottom.y);
    column_top_.drawAt(dc, pieces.column_top.x, pieces.column_top.y);
    for (const Placement& tile : pieces.column_tiles) {
        // The last tile is cut to its rectangle.
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, tile.x, tile.y, tile.x + tile.width, tile.y + tile.height);
        column_tile_.drawAt(dc, tile.x, tile.y);
        RestoreDC(dc, saved);
    }
    // The face: the tile's plain left columns, stretched.
    const Placement& face = pieces.column_face;
    column_tile_.drawColumns(dc, face.x, face.y, face.width, face.height, 0, 1);
    const Placement& edge = pieces.left_edge;
    left_edge_.drawStretched(dc, edge.x, edge.y, edge.width, edge.height);
    return true;
}

void MainWindow::on_get_min_max_info(MINMAXINFO& info) const
{
    info.ptMinTrackSize.x = MainLayout::min_window_width;
    info.ptMinTrackSize.y = start_height_;
}

void MainWindow::switch_mode()
{
    // The dashboard panels take their enabled and shown states from the layout.
    const MainLayout places = current_layout();
    console_->enable(places.console_enabled());
    switch_dashboard_mode(places);
    // The thumbnail strip takes the line chart's place in the image mode.
    EnableWindow(thumbnail_->handle(), places.thumbnails_enabled() ? TRUE : FALSE);
    ShowWindow(thumbnail_->handle(), places.thumbnails_enabled() ? SW_SHOW : SW_HIDE);
    layout();
    drop_chart_caches();
}

void MainWindow::show_animation()
{
    if (animation_ == nullptr) {
        animation_ = new Animation(player_->handle(), 0, 0);
        layout();
        animation_->start();
    }
}

void MainWindow::remove_animation()
{
    if (animation_ != nullptr) {
        DestroyWindow(animation_->handle()); // deletes it
        animation_ = nullptr;
    }
}

// ---- title ----------------------------------------------------------------------------------

bool MainWindow::something_open() const
{
    return player_->state() != VideoPlayer::nothing_open || thumbnail_->total() > 0;
}

std::wstring MainWindow::title_text() const
{
    const std::wstring program = load_text(texts::program_title);
    if (!something_open()) {
        return program;
    }
    std::wstring title = mode_text(current_data_type()) + L" " + current_folder_ + L" - " + program;
    title.resize(std::min<size_t>(title.size(), 1023));
    return title;
}

void MainWindow::update_title()
{
    SetWindowTextW(handle(), title_text().c_str());
    if (console_ != nullptr) {
        InvalidateRect(console_->handle(), nullptr, TRUE);
    }
}

// ---- commands -------------------------------------------------------------------------------

void MainWindow::on_command(int command)
{
    try {
        switch (command) {
        case IDC_CMD_OPEN:
            open_command();
            break;
        case IDC_CMD_SAVE_FRAME:
            save_frame_command();
            break;
        case IDC_CMD_EXPORT_TELEMETRY:
            export_telemetry_command();
            break;
        case IDC_CMD_COPY: // Ctrl+C: the picture's own command
            SendMessageW(player_->handle(), WM_COMMAND, IDC_CMD_COPY, 0);
            break;
        case IDC_KEY_PLAY_PAUSE:
        case IDC_KEY_STEP_BACK:
        case IDC_KEY_STEP_FORWARD:
        case IDC_KEY_FIRST_FRAME:
        case IDC_KEY_LAST_FRAME:
        case IDC_KEY_PREVIOUS_RECORDING:
        case IDC_KEY_NEXT_RECORDING:
            key_command(command);
            break;
        case IDC_CMD_EXIT:
            PostMessageW(handle(), WM_CLOSE, 0, 0);
            break;
        case IDC_CMD_HELP:
            help_command();
            break;
        case IDC_CMD_VERSION:
            version_command();
            break;
        case IDC_CMD_DEVICE_SETTINGS:
            settings_command();
            break;
        case IDC_CMD_CLOCK_SETTING:
            clock_command();
            break;
        case IDC_CMD_RESTORE_CARD:
            restore_command();
            break;
        case IDC_CMD_EXPORT_CLIP:
            export_clip_command();
            break;
        default:
            break;
        }
    } catch (const DataMissingException&) {
    } catch (const Exception& failure) {
        show_warning(handle(), failure.message());
    }
}

void MainWindow::pause_if_playing()
{
    if (player_->state() == VideoPlayer::playing) {
        player_->pause();
    }
}

void MainWindow::open_command()
{
    pause_if_playing();
    if (!laps_may_be_cleared()) {
        return;
    }
    wchar_t folder[MAX_PATH] = {};
    current_folder_.copy(folder, MAX_PATH - 1);
    if (chooseDataFolder(handle(), folder)) {
        open_recording(folder);
    }
}

// ---- the clip export (ファイル menu, Ctrl+E) ---------------------------------------------------

bool MainWindow::clip_export_applies() const
{
    return ClipExportCommand::applies_to(current_data_type(), player_->state() != VideoPlayer::nothing_open);
}

void MainWindow::on_init_menu_popup(HMENU menu)
{
    EnableMenuItem(menu, IDC_CMD_EXPORT_CLIP, MF_BYCOMMAND | (clip_export_applies() ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::export_clip_command()
{
    if (!clip_export_applies()) {
        return; // the shortcut with nothing to export
    }
    pause_if_playing();
    ClipExportCommand(clip_path_chooser_).run(handle(), current_folder_, current_data_type());
}

void MainWindow::open_recording(const std::wstring& folder)
{
    try {
        pause_if_playing();
        current_folder_ = folder;
        end_stopwatch_measuring();
        stopwatch_->full_reset();
        reset_console();
        remove_animation();
        if (!select_data_type(folder)) {
            player_->close();
            InvalidateRect(player_->handle(), nullptr, TRUE);
            position_update();
            thumbnail_->clear();
            throw Exception(load_text(texts::no_data_of_kind)); // "該当データは存在しません。"
        }
        switch_mode();
        stopwatch_->set_data_type(current_data_type());
        console_->setDataType(current_data_type());
        console_->setStepToolTips(current_data_type());
        player_->set_opened_kind(current_data_type());
        open_kind(folder);
        drop_chart_caches();
        info_panel_->repaint();
        InvalidateRect(thumbnail_->handle(), nullptr, TRUE);
        update_title();
        console_->refresh();
        if (current_data_type() != data_type_image) {
            if (player_->state() == VideoPlayer::paused) {
                player_->resume();
            } else {
                player_->play(player_->frame());
            }
        }
        stopwatch_for_opened_recording();
    } catch (const DataMissingException&) {
        update_title();
    } catch (const Exception& failure) {
        InvalidateRect(player_->handle(), nullptr, TRUE);
        set_current_data_type(data_type_event);
        switch_mode();
        stopwatch_->set_data_type(data_type_event);
        stopwatch_->lap_list_by_mode();
        console_->setDataType(data_type_event);
        console_->setStepToolTips(data_type_event);
        console_->refresh();
        thumbnail_->clear();
        update_title();
        show_warning(handle(), failure.message());
    }
}

void MainWindow::open_kind(const std::wstring& folder)
{
    switch (current_data_type()) {
    case data_type_image:
        open_pictures(folder);
        break;
    case data_type_continuous:
        thumbnail_->clear();
        PictureView::show_loading_text(player_->handle());
        player_->load_chapters(folder);
        if (!player_->open_chapter(0)) {
            throw VideoArchiveException(load_text(texts::data_unreadable)); // "該当データを読み込めません。"
        }
        break;
    default:
        thumbnail_->clear();
        player_->open(folder);
        break;
    }
}

void MainWindow::open_pictures(const std::wstring& folder)
{
    // The strip lists the pictures and loads their thumbnails; the selected one is shown large
    // once they are all there.
    PictureView::show_loading_text(player_->handle());
    if (thumbnail_->open(folder)) {
        show_warning(handle(), load_text(texts::picture_limit)); // "画像は600枚までしか表示できません。"
    }
}

void MainWindow::show_picture(int index)
{
    player_->set_picture_name(thumbnail_->picture_name(index)); // empty when out of range
    try {
        player_->open_picture(current_folder_);
        update_title();
    } catch (const DataMissingException&) {
        update_title();
    } catch (const Exception& failure) {
        update_title();
        show_warning(handle(), failure.message());
    }
}

void MainWindow::thumbnail_folder_gone()
{
    player_->close();
    reset_display();
}

void MainWindow::step_recording(bool previous)
{
    try {
        const std::wstring found = neighbour_recording(current_folder_, previous, current_data_type());
        if (!laps_may_be_cleared()) {
            return;
        }
        open_recording(found);
    } catch (const DataMissingException&) {
        player_->close();
        end_stopwatch_measuring();
        stopwatch_->full_reset();
        position_update();
        update_title();
        show_warning(handle(), load_text(texts::folder_moved)); // "現在開いているフォルダが移動または削除されました。"
    } catch (const Exception&) {
        // The open recording stays open.
        show_warning(handle(), load_text(previous ? texts::no_previous_recording : texts::no_next_recording));
    }
}

void MainWindow::run_guarded(const std::function<bool(std::wstring& folder)>& dialog)
{
    pause_if_playing();
    DialogMutex guard(handle()); // warns when another copy shows a settings dialog
    std::wstring folder = settings_folder_;
    if (dialog(folder)) {
        settings_folder_ = folder;
    }
}

void MainWindow::settings_command()
{
    run_guarded([this](std::wstring& folder) {
        GThresholdDialog09 dialog(folder);
        const bool chosen = dialog.doModal(handle()) == IDOK;
        folder = dialog.cardFolder();
        return chosen;
    });
}

void MainWindow::clock_command()
{
    run_guarded([this](std::wstring& folder) {
        DateTimeDialog dialog(folder);
        const bool chosen = dialog.doModal(handle()) == IDOK;
        folder = dialog.cardFolder();
        return chosen;
    });
}

void MainWindow::restore_command()
{
    run_guarded([this](std::wstring& folder) { return restoreCard(handle(), folder); });
}

void MainWindow::help_command()
{
    pause_if_playing();
    try {
        showHelp();
    } catch (const Exception&) {
        show_message(handle(), helpFailureText(), texts::caption_warning, MB_ICONWARNING);
    }
}

void MainWindow::version_command()
{
    pause_if_playing();
    AboutDialog dialog;
    dialog.doModal(handle());
}

void MainWindow::on_close()
{
    const bool was_playing = player_->state() == VideoPlayer::playing;
    pause_if_playing();
    if (something_open() &&
        show_message(handle(), load_text(texts::confirm_exit), texts::caption_confirm, MB_ICONQUESTION | MB_OKCANCEL) != IDOK) { // "Tarvo_Viewerを終了しますか？"
        // The user chose to stay: what the question paused goes on playing.
        if (was_playing && player_->state() == VideoPlayer::paused) {
            player_->resume();
        }
        return;
    }
    DestroyWindow(handle());
}

// ---- what the player asks of its owner ------------------------------------------------------

void MainWindow::position_update()
{
    // The panels are told in this order: console, line chart, speed meter, circle chart,
    // stopwatch (the info panel is drawn again with them).
    if (console_ != nullptr) {
        console_->refresh();
    }
    if (GetFocus() == nullptr && IsWindowVisible(handle())) {
        SetFocus(handle());
    }
    update_dashboard(); // line chart, speed meter, circle chart, info panel
    if (stopwatch_ != nullptr) {
        stopwatch_->redraw();
    }
}

void MainWindow::reset_display()
{
    InvalidateRect(player_->handle(), nullptr, TRUE);
    drop_chart_caches();
    update_dashboard();
    stopwatch_->full_reset();
    update_title();
}

void MainWindow::reset_console()
{
    if (console_ != nullptr) {
        console_->reset();
    }
}

bool MainWindow::stopwatch_measuring() const { return stopwatch_ != nullptr && stopwatch_->measuring(); }

void MainWindow::end_stopwatch_measuring()
{
    if (stopwatch_ != nullptr) {
        stopwatch_->end_measuring();
    }
}

void MainWindow::stopwatch_then_play(int then_play) { stopwatch_->update_buttons(then_play); }

// ---- the stopwatch's part in opening --------------------------------------------------------

bool MainWindow::laps_may_be_cleared()
{
    return !stopwatch_->measurement().has_laps() ||
           show_message(handle(), load_text(texts::confirm_clear_laps), texts::caption_confirm,
                        MB_ICONQUESTION | MB_OKCANCEL) == IDOK; // "LAP LISTが消去されます。よろしいですか？"
}

void MainWindow::stopwatch_for_opened_recording()
{
    stopwatch_->update_buttons(player_->state());
    stopwatch_->lap_list_by_mode();
}

void MainWindow::chapter_opening()
{
    circle_chart_->drop_cache();
    InvalidateRect(circle_chart_->handle(), nullptr, TRUE);
    info_panel_->repaint();
}

void MainWindow::chapter_opened() { line_chart_->drop_cache(); }

// ---- the dashboard --------------------------------------------------------------------------

void MainWindow::create_dashboard()
{
    dashboard_source_ = std::make_unique<PlayerDashboardSource>(*player_);
    info_panel_ = new InfoPanel(handle(), *dashboard_source_);
    speed_meter_ = new SpeedMeter(handle(), *dashboard_source_);
    circle_chart_ = new CircleChart(handle(), *dashboard_source_);
    line_chart_ = new LineChart(handle(), *dashboard_source_);
    config_panel_ = new ConfigPanel(handle(), player_->sound(), player_->brightness(), player_->handle(), handle());
}

void MainWindow::place_dashboard(const MainLayout& places)
{
    if (info_panel_ == nullptr) {
        return;
    }
    if (places.line_chart_enabled()) {
        move_child(line_chart_->handle(), places.bottom_strip());
    }
    move_child(info_panel_->handle(), places.info_panel());
    move_child(speed_meter_->handle(), places.speed_meter());
    move_child(circle_chart_->handle(), places.circle_chart());
    move_child(config_panel_->handle(), places.config_panel());
}

void MainWindow::switch_dashboard_mode(const MainLayout& places)
{
    // The image mode has no time-line and no trajectory: the thumbnails take the bottom strip.
    EnableWindow(line_chart_->handle(), places.line_chart_enabled());
    ShowWindow(line_chart_->handle(), places.line_chart_enabled() ? SW_SHOWNA : SW_HIDE);
    EnableWindow(circle_chart_->handle(), places.circle_chart_enabled());
    config_panel_->enable_sound_controls(places.sound_controls());
}

void MainWindow::update_dashboard()
{
    if (info_panel_ == nullptr) {
        return; // the player reports before the panels exist
    }
    if (IsWindowEnabled(line_chart_->handle())) {
        line_chart_->redraw();
    }
    speed_meter_->update();
    circle_chart_->redraw();
    info_panel_->repaint();
}

void MainWindow::drop_chart_caches()
{
    if (info_panel_ == nullptr) {
        return;
    }
    line_chart_->drop_cache();
    circle_chart_->drop_cache();
    InvalidateRect(line_chart_->handle(), nullptr, TRUE);
    InvalidateRect(circle_chart_->handle(), nullptr, TRUE);
}
