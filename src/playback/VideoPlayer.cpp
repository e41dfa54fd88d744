#include "playback/VideoPlayer.h"

#include "base/Exception.h"
#include "platform/Messages.h"
#include "base/Text.h"
#include "playback/IPlayerOwner.h"
#include "playback/ImageLoader.h"
#include "playback/PlayerMessages.h"
#include "playback/WaveAudioPlayer.h"
#include "recording/ChapterList.h"
#include "recording/DataType.h"
#include "recording/VideoInfo07.h"
#include "image/Image.h"
#include "platform/SystemHandles.h"

#include "ResourceIds.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

std::wstring folder_of(const std::wstring& path)
{
    const auto cut = path.find_last_of(L'\\');
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut);
}

} // namespace

VideoPlayer::VideoPlayer(HWND parent, IPlayerOwner& owner) : owner_(owner)
{
    CreationRecord record;
    record.className = defaultClassName;
    record.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    record.width = 640;
    record.height = 480;
    record.parent = parent;
    create(record);
    // The loader first: when it cannot be made, no sound player's window is left behind.
    loader_ = std::make_unique<ImageLoader>(handle());
    sound_ = new WaveAudioPlayer(handle());
    brightness_.set(1.0);
}

VideoPlayer::~VideoPlayer()
{
    close();
    loader_.reset(); // ends its worker and frees the pictures still queued for this window
    DestroyWindow(sound_->handle()); // deletes the sound player
}

LRESULT VideoPlayer::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    try {
        switch (message) {
        case WM_ERASEBKGND:
            on_erase_background(reinterpret_cast<HDC>(wParam));
            return 1;
        case WM_PAINT:
            on_paint();
            return 0;
        case WM_RBUTTONDOWN:
            on_context_menu(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_COMMAND:
            on_command(wParam, lParam);
            return 0;
        case WM_PLAYER_TICK:
            on_tick(wParam);
            return 0;
        case WM_PICTURE_DELIVERED:
            on_picture_delivered(wParam, reinterpret_cast<Image*>(lParam));
            return 0;
        case WM_SOUND_STOPPED:
            on_sound_end();
            return 0;
        default:
            break;
        }
    } catch (const DataMissingException&) {
        // the user has been told already; the operation just ends
        return 0;
    }
    return Window::windowProc(message, wParam, lParam);
}

// ---- clock ----------------------------------------------------------------------------------

bool VideoPlayer::image_mode() const { return opened_kind_ == data_type_image; }

bool VideoPlayer::continuous_mode() const { return opened_kind_ == data_type_continuous; }

void VideoPlayer::set_frame_rate()
{
    const int rate = current_data_type() == data_type_continuous ? continuous_frames_per_second : event_frames_per_second;
    frame_period_ms_ = 1000 / rate;
    frame_period_ = 1000.0 / rate;
    clock_.set_period(frame_period_);
}

int VideoPlayer::clamp(int frame) const
{
    const int count = info_ != nullptr ? info_->frame_count() : 0;
    return count <= 0 ? 0 : std::clamp(frame, 0, count - 1);
}

void VideoPlayer::on_erase_background(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void VideoPlayer::on_tick(WPARAM tag)
{
    if (!tick_belongs_to(tag, loader_->recording())) {
        return; // armed for a recording that has been closed since
    }
    if (state_ != playing) {
        // Standing still, nothing else asks for a picture: a refused one is asked for again.
        // (Playing, this tick asks for a newer frame anyway.)
        ask_again_for_refused_picture();
    }
    if (image_mode()) {
        if (!picture_arrived_) {
            schedule_next_tick();
        }
        return;
    }
    if (continuous_mode() && !first_picture_arrived_) {
        schedule_next_tick();
        return;
    }
    advance();
}

std::optional<double> VideoPlayer::clock_position() const
{
    if (state_ != playing) {
        return std::nullopt;
    }
    if (sound_->state() == ISoundPlayer::playing) {
        return sound_->position();
    }
    if (sound_->state() == ISoundPlayer::closed) {
        return clock_.position_at(timeGetTime());
    }
    return std::nullopt;
}

void VideoPlayer::schedule_next_tick()
{
    waiting_for_sound_end_ = false;
    auto delay = static_cast<unsigned>(frame_period_ms_);
    if (image_mode()) {
        frame_ = 0;
    } else if (continuous_mode() && !first_picture_arrived_) {
        frame_ = clamp(frame_);
    } else {
        frame_ = clamp(frame_ + 1);
        // The deadline is the moment the frame asked for falls due, not one period from now:
        // a tick that is handled a little late then never makes the next one later still.
        if (const std::optional<double> position = clock_position()) {
            delay = std::min(clock_.delay_until(frame_, *position), 4 * delay);
        }
    }
    loader_->alarm(delay);
    request_picture();
}

void VideoPlayer::advance()
{
    notify();
    // The picture always follows the sound (or, without sound, the clock): frames are skipped
    // whenever decoding falls behind.
    if (sound_->state() == ISoundPlayer::playing) {
        frame_ = clamp(clock_.due_frame(sound_->position()));
    } else if (sound_->state() == ISoundPlayer::closed && state_ == playing) {
        frame_ = clock_.due_frame(clock_.position_at(timeGetTime()));
    }
    if (state_ != playing) {
        return;
    }
    const int count = info_ != nullptr ? info_->frame_count() : 0;
    if (frame_ < count - 1) {
        schedule_next_tick();
        return;
    }
    waiting_for_sound_end_ = true;
    if (sound_->state() == ISoundPlayer::playing) {
        return; // the sound's end message finishes the job
    }
    end_of_data();
}

void VideoPlayer::on_sound_end()
{
    if (waiting_for_sound_end_ && sound_->finished()) {
        end_of_data();
    }
}

void VideoPlayer::end_stopwatch_if_last_chapter()
{
    if (!continuous_mode() || chapter_ >= chapter_count() - 1) {
        owner_.end_stopwatch_measuring();
    }
}

void VideoPlayer::end_of_data()
{
    waiting_for_sound_end_ = false;
    end_stopwatch_if_last_chapter();
    state_ = stopped;
    notify();
    if (!continuous_mode()) {
        seek(0);
        return;
    }
    if (chapter_ + 1 >= chapter_count()) {
        return;
    }
    // The next chapter goes on playing: opening it leaves the player stopped at its first frame.
    if (open_chapter(chapter_ + 1)) {
        play(frame_);
        return;
    }
    owner_.end_stopwatch_measuring();
    owner_.reset_display();
    warn(handle(), load_text(texts::data_unreadable)); // "該当データを読み込めません。"
}

// ---- pictures -------------------------------------------------------------------------------

void VideoPlayer::request_picture()
{
    if (folder_.empty() || !PathIsDirectoryW(folder_.c_str())) {
        // The recording's folder has gone (card pulled out, folder renamed): tell the user once
        // and request nothing more.
        loader_->disarm();
        if (!reporting_missing_folder_) {
            reporting_missing_folder_ = true;
            owner_.reset_display();
            owner_.end_stopwatch_measuring();
            warn(owner_.owner_window(), load_text(texts::folder_moved)); // "現在開いているフォルダが移動または削除されました。"
            reporting_missing_folder_ = false;
        }
        throw DataMissingException();
    }
    hand_to_loader(clamp(frame_));
}

void VideoPlayer::hand_to_loader(int frame)
{
    // The loader refuses while it decodes. The refused frame is asked for again when the picture
    // in flight arrives, or at the next tick (armed here when no clock runs), so the picture
    // shown in the end is always that of the position asked for last.
    if (loader_->request(frame)) {
        refused_frame_.reset();
        return;
    }
    refused_frame_ = frame;
    if (!loader_->alarm_armed()) {
        loader_->alarm(static_cast<unsigned>(frame_period_ms_));
    }
}

void VideoPlayer::ask_again_for_refused_picture()
{
    if (refused_frame_) {
        hand_to_loader(*refused_frame_);
    }
}

void VideoPlayer::on_picture_delivered(WPARAM tag, Image* delivered)
{
    std::unique_ptr<Image> picture(delivered); // ownership came with the message
    if (!picture_belongs_to(tag, loader_->recording())) {
        return; // decoded for a recording that has been closed since: freed here
    }
    const int index = picture_index(tag);
    if (image_mode()) {
        picture_arrived_ = true;
    } else if (continuous_mode()) {
        first_picture_arrived_ = true;
    }
    if (picture != nullptr) {
        picture_ = std::move(picture);
        shown_frame_ = index;
    }
    InvalidateRect(handle(), nullptr, FALSE);
    ask_again_for_refused_picture();
}

void VideoPlayer::on_paint()
{
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle(), &paint);
    view_.draw(handle(), dc, picture_.get(), brightness_);
    EndPaint(handle(), &paint);
}

void VideoPlayer::on_context_menu(int x, int y)
{
    if (!image_mode()) {
        return;
    }
    const MenuHandle menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_PICTURE_CONTEXT)));
    if (!menu) {
        return;
    }
    POINT point{x, y};
    ClientToScreen(handle(), &point);
    TrackPopupMenu(GetSubMenu(menu.get(), 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, handle(),
                   nullptr);
}

void VideoPlayer::on_command(WPARAM wParam, LPARAM lParam)
{
    if (image_mode() && lParam == 0 && LOWORD(wParam) == IDC_CMD_COPY) {
        view_.copy_to_clipboard(handle(), picture_.get(), brightness_);
    }
}

// ---- transport ------------------------------------------------------------------------------

void VideoPlayer::notify() { owner_.position_update(); }

void VideoPlayer::repaint()
{
    InvalidateRect(handle(), nullptr, TRUE);
    UpdateWindow(handle());
}

void VideoPlayer::warn(HWND owner, const std::wstring& text) { show_warning(owner, text); }

void VideoPlayer::warn_if_sound_failed()
{
    // Told only now that the loader's lock is free again, and owned by the main window, which
    // the box then disables: nothing can close the recording under the reader meanwhile.
    if (loader_->archive().sound_failed()) {
        warn(owner_.owner_window(), load_text(texts::sound_restore_failed));
    }
}


void VideoPlayer::play(int frame)
{
    if (state_ == nothing_open) {
        return;
    }
    state_ = playing;
    notify();
    frame_ = clamp(frame);
    try {
        sound_->play(static_cast<int>(frame_ * frame_period_));
    } catch (const Exception&) {
        // without sound the clock runs on the multimedia timer
    }
    clock_.start(sound_->start_time(), sound_->start_offset());
    schedule_next_tick();
}

void VideoPlayer::stop()
{
    if (state_ != nothing_open) {
        state_ = stopped;
        notify();
    }
    try {
        sound_->stop();
    } catch (const Exception&) {
    }
}

void VideoPlayer::pause()
{
    if (state_ != nothing_open) {
        end_stopwatch_if_last_chapter();
        state_ = paused;
        notify();
    }
    try {
        sound_->pause();
    } catch (const Exception&) {
    }
}

void VideoPlayer::resume()
{
    if (state_ == nothing_open) {
        return; // nothing to resume: no clock may run without a recording
    }
    state_ = playing;
    notify();
    try {
        sound_->resume();
    } catch (const Exception&) {
    }
    // Without sound the clock starts again where the pause left it, not where the last play began.
    clock_.start(timeGetTime(), static_cast<int>(frame_ * frame_period_));
    schedule_next_tick();
}

void VideoPlayer::seek(int frame)
{
    if (state_ == nothing_open) {
        return;
    }
    if (state_ == playing || state_ == paused) {
        stop();
    }
    const int target = clamp(frame);
    if (target == frame_) {
        return;
    }
    if (std::abs(target - frame_) > 10) {
        picture_.reset(); // a far jump blanks the window until the new picture arrives
        InvalidateRect(handle(), nullptr, TRUE);
    }
    frame_ = target;
    try {
        request_picture();
    } catch (const DataMissingException&) {
        return;
    }
    advance();
}

void VideoPlayer::seek_total(int position, int then_play)
{
    if (position > total_frames_ || chapter_count() == 0) {
        return;
    }
    const int target_chapter = std::min(position / chapter_frames, chapter_count() - 1);
    if (target_chapter != chapter_) {
        chapter_ = target_chapter;
        if (!open_chapter(target_chapter)) {
            owner_.end_stopwatch_measuring();
            owner_.reset_console();
            owner_.reset_display();
            warn(owner_.owner_window(), load_text(texts::data_unreadable));
            stop();
            return;
        }
        // The new chapter's first picture is the one at the position, not its first frame.
        frame_ = clamp(position - chapter_ * chapter_frames);
        on_tick(recording_tag(loader_->recording()));
        owner_.stopwatch_then_play(then_play);
    }
    frame_ = clamp(position - chapter_ * chapter_frames);
    if (then_play == 1) {
        if (state_ == paused) {
            resume();
        } else {
            play(frame_);
        }
    } else {
        notify();
    }
}

int64_t VideoPlayer::frame_time() const
{
    if (info_ == nullptr) {
        return 0;
    }
    if (const FrameRecord* detection = info_->detection_record()) {
        return detection->time;
    }
    for (int i = 0; i < info_->frame_count(); ++i) {
        if (const FrameRecord* record = info_->frame_record(i)) {
            return record->time;
        }
    }
    return 0;
}

void VideoPlayer::clear_frame_table()
{
    frame_table_.clear();
    try {
        loader_->set_chapter(0);
    } catch (const Exception&) {
        // a busy loader keeps its index: it only decides which chapters load in passing
    }
}

// ---- opening and closing --------------------------------------------------------------------

void VideoPlayer::create_information()
{
    info_ = std::make_unique<VideoInfo07>(loader_->archive());
    repaint();
}

void VideoPlayer::open_sound()
{
    try {
        sound_->open(loader_->sound_path());
    } catch (const Exception&) {
        // a recording without sound still plays, on the clock alone
    }
}

void VideoPlayer::open(const std::wstring& folder)
{
    close();
    repaint();
    notify();
    repaint();
    set_frame_rate();
    folder_ = folder;
    PictureView::show_loading_text(handle());
    try {
        if (opened_kind_ == data_type_event) {
            loader_->open_event(folder + L"\\Video.dvt");
        } else if (opened_kind_ == data_type_image) {
            loader_->open_picture_file(folder + L"\\" + picture_name_);
        }
        create_information();
    } catch (const Exception& failure) {
        repaint();
        throw Exception(failure);
    }
    try {
        request_picture();
    } catch (const DataMissingException&) {
        return;
    }
    open_sound();
    state_ = stopped;
    notify();
    warn_if_sound_failed();
}

int VideoPlayer::load_chapters(const std::wstring& folder)
{
    const ChapterList list = list_chapter_files(folder);
    chapter_paths_.assign(list.paths.begin(), list.paths.begin() + std::min<size_t>(list.paths.size(), max_chapters));
    total_frames_ = list.total_frames;
    if (list.more_than_60) {
        warn(owner_.owner_window(), format_text(texts::chapter_limit, max_chapters)); // "連続記録データは60分までしか再生できません。"
    }
    return total_frames_;
}

bool VideoPlayer::open_chapter(int index)
{
    if (index < 0 || index >= max_chapters || index >= chapter_count() || chapter_paths_[static_cast<size_t>(index)].empty()) {
        return false;
    }
    close();
    repaint();
    notify();
    first_picture_arrived_ = false;
    repaint();
    set_frame_rate();
    const std::wstring& path = chapter_paths_[static_cast<size_t>(index)];
    folder_ = folder_of(path);
    PictureView::show_loading_text(handle());
    try {
        owner_.chapter_opening();
        if (owner_.stopwatch_measuring()) {
            // The stopwatch needs the time index of every chapter played through.
            for (int skipped = loader_->archive().chapter_number() + 1; skipped < index; ++skipped) {
                loader_->set_chapter(skipped);
                loader_->open_chapter(chapter_paths_[static_cast<size_t>(skipped)]);
                frame_table_.store_chapter(skipped, loader_->archive());
            }
        }
        chapter_ = index;
        loader_->set_chapter(index);
        loader_->open_chapter(path);
        frame_table_.store_chapter(index, loader_->archive());
        create_information();
        owner_.chapter_opened();
    } catch (const VideoArchiveException&) {
        return false;
    } catch (const Exception& failure) {
        repaint();
        throw Exception(failure);
    }
    request_picture();
    open_sound();
    state_ = stopped;
    notify();
    warn_if_sound_failed();
    return true;
}

void VideoPlayer::open_picture(const std::wstring& folder)
{
    close();
    repaint();
    notify();
    picture_arrived_ = false;
    set_frame_rate();
    folder_ = folder;
    if (!PathIsDirectoryW(folder.c_str())) {
        throw Exception(load_text(texts::folder_moved));
    }
    PictureView::show_loading_text(handle());
    loader_->open_picture_file(folder + L"\\" + picture_name_);
    create_information();
    loader_->alarm(static_cast<unsigned>(frame_period_ms_));
    request_picture();
    state_ = stopped;
    notify();
}

void VideoPlayer::close()
{
    loader_->disarm();
    loader_->cancel_current();
    refused_frame_.reset();
    sound_->close();
    state_ = nothing_open;
    frame_ = 0;
    waiting_for_sound_end_ = false;
    info_.reset();
    folder_.clear();
    picture_.reset();
    shown_frame_ = -1;
    loader_->close_archive(); // its temporary sound file goes with it
}
