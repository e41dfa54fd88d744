#include "app/MainWindow.h"

#include "base/Exception.h"
#include "platform/Messages.h"
#include "base/Text.h"
#include "platform/WindowsError.h"
#include "device/CardRestore.h"
#include "device/DateTimeDialog.h"
#include "device/FolderChooser.h"
#include "device/GThresholdDialog09.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "recording/NeighbourRecording.h"
#include "recording/RecordingFolder.h"
#include "recording/VideoArchive.h"
#include "ui/Animation.h"
#include "ui/DialogMutex.h"

#include <algorithm>

namespace {

constexpr const wchar_t* class_name = L"MainWindow";
constexpr int column_width = 209;

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
    window_class.hIcon = LoadIconW(window_class.hInstance, MAKEINTRESOURCEW(294));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = class_name;
    atom = RegisterClassExW(&window_class);
    if (atom == 0) {
        throw format_error(GetLastError());
    }
}

// The folder of the viewer's own program, with a trailing backslash.
std::wstring program_folder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder;
}

} // namespace

MainWindow::MainWindow(int os_major_version)
    : current_folder_(program_folder()), settings_folder_(program_folder())
{
    register_class();
    const int width = os_major_version == 6 ? 890 : 882;
    const int height = os_major_version == 6 ? 725 : 721;
    const int narrower = os_major_version == 6 ? 8 : 0;
    start_height_ = height;
    const std::wstring title = load_text(5001);
    CreationRecord record;
    record.extendedStyle = WS_EX_CONTROLPARENT | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE;
    record.className = class_name;
    record.windowName = title.c_str();
    record.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    record.x = (GetSystemMetrics(SM_CXFULLSCREEN) - 882 - narrower) / 2;
    record.y = std::max((GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2, 0);
    record.width = width;
    record.height = height;
    record.menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101));
    create(record);
    player_ = new VideoPlayer(handle(), *this);
    switch_mode();
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
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && lParam == 0) { // menu commands only
            on_command(LOWORD(wParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return Window::windowProc(message, wParam, lParam);
}

// ---- layout and drawing ---------------------------------------------------------------------

void MainWindow::on_size(int, int) { layout(); }

void MainWindow::layout()
{
    RECT client{};
    GetClientRect(handle(), &client);
    const int width = client.right;
    // The bottom strip (line chart or thumbnails: one of them is shown in every mode) is 90 high.
    const int y = client.bottom - 90;
    if (player_ != nullptr) {
        MoveWindow(player_->handle(), 21, 0, std::max(width - 230, 0), std::max(y - 65, 0), TRUE);
    }
    if (animation_ != nullptr) {
        MoveWindow(animation_->handle(), (width - 457) / 2, (y - 116) / 2, Animation::width, Animation::height, TRUE);
    }
}

bool MainWindow::on_erase_background(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    const int width = client.right;
    const int height = client.bottom;
    if (!column_top_.hasPicture() || !column_tile_.hasPicture() || !column_bottom_.hasPicture() ||
        !left_edge_.hasPicture()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const int x = width - column_width;
    const int bottom = height - column_bottom_.height() - 499;
    column_bottom_.drawAt(dc, x, bottom);
    column_top_.drawAt(dc, x, 121);
    // Copies of the tile fill the column down to the bottom piece; the last one is cut.
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, x, 121 + column_top_.height(), x + column_width, bottom);
    const int tile = std::max(column_tile_.height(), 1);
    for (int top = 121 + column_top_.height(); top < bottom; top += tile) {
        column_tile_.drawAt(dc, x, top);
    }
    RestoreDC(dc, saved);
    left_edge_.drawStretched(dc, 0, 0, 21, std::max(height - 155, 0));
    return true;
}

void MainWindow::on_get_min_max_info(MINMAXINFO& info) const
{
    info.ptMinTrackSize.x = 800;
    info.ptMinTrackSize.y = start_height_;
}

void MainWindow::switch_mode()
{
    // The dashboard panels follow the mode as they come; the layout is the same in every mode.
    layout();
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
    return player_->state() != VideoPlayer::nothing_open || !picture_names_.empty();
}

std::wstring MainWindow::title_text() const
{
    const std::wstring program = load_text(5001);
    if (!something_open()) {
        return program;
    }
    std::wstring title = mode_text(current_data_type()) + L" " + current_folder_ + L" - " + program;
    title.resize(std::min<size_t>(title.size(), 1023));
    return title;
}

void MainWindow::update_title() { SetWindowTextW(handle(), title_text().c_str()); }

// ---- commands -------------------------------------------------------------------------------

void MainWindow::on_command(int command)
{
    try {
        switch (command) {
        case command_open:
            open_command();
            break;
        case command_exit:
            PostMessageW(handle(), WM_CLOSE, 0, 0);
            break;
        case command_settings:
            settings_command();
            break;
        case command_clock:
            clock_command();
            break;
        case command_restore:
            restore_command();
            break;
        default:
            // The help and version commands come with their dialogs.
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
    wchar_t folder[MAX_PATH] = {};
    current_folder_.copy(folder, MAX_PATH - 1);
    if (chooseDataFolder(handle(), folder)) {
        open_recording(folder);
    }
}

void MainWindow::open_recording(const std::wstring& folder)
{
    try {
        pause_if_playing();
        current_folder_ = folder;
        end_stopwatch_measuring();
        reset_console();
        remove_animation();
        if (!select_data_type(folder)) {
            player_->close();
            InvalidateRect(player_->handle(), nullptr, TRUE);
            position_update();
            picture_names_.clear();
            throw Exception(load_text(5505)); // "該当データは存在しません。"
        }
        switch_mode();
        player_->set_opened_kind(current_data_type());
        open_kind(folder);
        update_title();
        if (current_data_type() != data_type_image) {
            if (player_->state() == VideoPlayer::paused) {
                player_->resume();
            } else {
                player_->play(player_->frame());
            }
        }
    } catch (const DataMissingException&) {
        update_title();
    } catch (const Exception& failure) {
        InvalidateRect(player_->handle(), nullptr, TRUE);
        set_current_data_type(data_type_event);
        switch_mode();
        picture_names_.clear();
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
        picture_names_.clear();
        PictureView::show_loading_text(player_->handle());
        player_->load_chapters(folder);
        if (!player_->open_chapter(0)) {
            throw VideoArchiveException(load_text(5510)); // "該当データを読み込めません。"
        }
        break;
    default:
        picture_names_.clear();
        player_->open(folder);
        break;
    }
}

void MainWindow::open_pictures(const std::wstring& folder)
{
    // The pictures in capture order; the first one is shown.
    PictureView::show_loading_text(player_->handle());
    VideoArchive pictures;
    const bool more_than_600 = pictures.load_images(folder);
    picture_names_.clear();
    for (int i = 0; i < pictures.frame_count(); ++i) {
        const FrameRecord* record = pictures.frame_record(i);
        const std::wstring& path = record != nullptr ? record->path : std::wstring();
        picture_names_.push_back(path.substr(path.find_last_of(L'\\') + 1));
    }
    if (more_than_600) {
        show_warning(handle(), load_text(5516)); // "画像は600枚までしか表示できません。"
    }
    show_picture(0);
}

void MainWindow::show_picture(int index)
{
    const bool listed = index >= 0 && index < static_cast<int>(picture_names_.size());
    player_->set_picture_name(listed ? picture_names_[static_cast<size_t>(index)] : std::wstring());
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

void MainWindow::step_recording(bool previous)
{
    try {
        const std::wstring found = neighbour_recording(current_folder_, previous, current_data_type());
        open_recording(found);
    } catch (const DataMissingException&) {
        player_->close();
        end_stopwatch_measuring();
        position_update();
        update_title();
        show_warning(handle(), load_text(5078)); // "現在開いているフォルダが移動または削除されました。"
    } catch (const Exception&) {
        // The open recording stays open.
        show_warning(handle(), load_text(previous ? 5066 : 5065));
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

void MainWindow::on_close()
{
    pause_if_playing();
    if (something_open() &&
        show_message(handle(), load_text(5059), 5013, MB_ICONQUESTION | MB_OKCANCEL) != IDOK) { // "Tarvo_Viewerを終了しますか？"
        return;
    }
    DestroyWindow(handle());
}

// ---- what the player asks of its owner ------------------------------------------------------

void MainWindow::position_update()
{
    // The dashboard panels are told in this order as they come: console, line chart, speed
    // meter, circle chart, stopwatch.
    if (GetFocus() == nullptr && IsWindowVisible(handle())) {
        SetFocus(handle());
    }
}

void MainWindow::reset_display()
{
    InvalidateRect(player_->handle(), nullptr, TRUE);
    update_title();
}

void MainWindow::reset_console() {}

bool MainWindow::stopwatch_measuring() const { return false; }

void MainWindow::end_stopwatch_measuring() {}

void MainWindow::stopwatch_chapter_changing() {}

void MainWindow::stopwatch_then_play(int) {}

void MainWindow::chapter_opening() {}

void MainWindow::chapter_opened() {}
