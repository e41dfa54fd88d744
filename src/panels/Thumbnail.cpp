#include "panels/Thumbnail.h"

#include <algorithm>

#include "base/Exception.h"
#include "base/Text.h"
#include "image/Image.h"
#include "panels/IThumbnailOwner.h"
#include "panels/ImageListView.h"
#include "panels/ThumbnailCaption.h"
#include "platform/Messages.h"
#include "playback/ImageLoader.h"
#include "playback/PlayerMessages.h"
#include "recording/FrameRecord.h"
#include "ui/ImageButton.h"
#include "ui/TrackToolTip.h"
#include "ui/WindowUtilities.h"
#include "ResourceIds.h"

#include <mmsystem.h>
#include <shlwapi.h>

namespace {

constexpr int strip_height = 90;
constexpr int list_top = 2;
// A request the loader took but never answered is asked for again after this many steps.
constexpr int lost_request_steps = 20;
// New thumbnails are drawn in batches at most this often while loading.
constexpr DWORD show_interval_ms = 200;
constexpr DWORD show_cost_factor = 4; // the pause after showing a batch, in times what it cost

constexpr int button_size = 30;
constexpr int button_top = 31;

// The four buttons by Thumbnail::Step: where they stand (a negative x counts from the right
// edge), their pictures (normal, pressed, disabled) and their tips.
struct ButtonLook {
    int x;
    int normal, pressed, disabled;
    int tip;
};
constexpr ButtonLook button_looks[4] = {
    {6, IDB_FIRST_PICTURE, IDB_FIRST_PICTURE_PRESSED, IDB_FIRST_PICTURE_DISABLED, texts::tip_first},
    {39, IDB_PREVIOUS_PICTURE, IDB_PREVIOUS_PICTURE_PRESSED, IDB_PREVIOUS_PICTURE_DISABLED, texts::tip_previous},
    {-69, IDB_NEXT_PICTURE, IDB_NEXT_PICTURE_PRESSED, IDB_NEXT_PICTURE_DISABLED, texts::tip_next},
    {-36, IDB_LAST_PICTURE, IDB_LAST_PICTURE_PRESSED, IDB_LAST_PICTURE_DISABLED, texts::tip_last},
};

int button_x(const ButtonLook& look, int width) { return look.x >= 0 ? look.x : width + look.x; }

bool folder_exists(const std::wstring& folder) { return PathIsDirectoryW(folder.c_str()) != FALSE; }

} // namespace

Thumbnail::Thumbnail(HWND parent, IThumbnailOwner& owner)
    : owner_(owner), white_(CreateSolidBrush(RGB(255, 255, 255)))
{
    CreationRecord record;
    record.extendedStyle = WS_EX_CONTROLPARENT;
    record.className = defaultClassName;
    record.style = WS_CHILD | WS_VISIBLE;
    record.width = list_width;
    record.height = strip_height;
    record.parent = parent;
    create(record);
    list_ = new ImageListView(handle(), 0, list_top, list_width, list_height);
    auto* tips = new TrackToolTip(handle());
    for (int i = 0; i < 4; ++i) {
        const ButtonLook& look = button_looks[i];
        buttons_[i] = new ImageButton(handle(), button_x(look, list_width), button_top, button_size, button_size);
        buttons_[i]->setImages(look.normal, look.pressed, look.disabled);
        buttons_[i]->setListener(this);
        tips->addButtonTool(load_text(look.tip), buttons_[i]->handle());
    }
    loader_ = std::make_unique<ImageLoader>(handle());
    info_.emplace(loader_->archive());
    on_size(list_width);
    update_buttons();
}

Thumbnail::~Thumbnail()
{
    // The loader's worker ends before the pictures it may still post are freed.
    loader_.reset();
    drop_deliveries();
}

LRESULT Thumbnail::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        on_size(LOWORD(lParam));
        return 0;
    case WM_ERASEBKGND:
        on_erase_background(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PLAYER_TICK:
        on_alarm();
        return 0;
    case WM_PICTURE_DELIVERED:
        if (!picture_belongs_to(wParam, loader_->recording())) {
            delete reinterpret_cast<Image*>(lParam); // a picture of a folder or picture since closed
            return 0;
        }
        on_picture_delivered(picture_index(wParam), reinterpret_cast<Image*>(lParam));
        return 0;
    case WM_NOTIFY:
        return on_notify(*reinterpret_cast<const NMHDR*>(lParam));
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

// ---- layout and drawing ---------------------------------------------------------------------

void Thumbnail::on_size(int width)
{
    for (int i = 0; i < 4; ++i) {
        MoveWindow(buttons_[i]->handle(), button_x(button_looks[i], width), button_top, button_size, button_size, TRUE);
    }
    MoveWindow(list_->handle(), width / 2 - list_width / 2, list_top, list_width, list_height, TRUE);
}

void Thumbnail::on_erase_background(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    FillRect(dc, &client, white_.get());
    if (!left_.hasPicture() || !middle_.hasPicture() || !right_.hasPicture()) {
        return;
    }
    // The ends at their own width, the middle stretched between them.
    const int right_x = client.right - right_.width();
    middle_.drawStretched(dc, left_.width(), 0, std::max(right_x - left_.width(), 0), client.bottom);
    left_.drawStretched(dc, 0, 0, left_.width(), client.bottom);
    right_.drawStretched(dc, right_x, 0, right_.width(), client.bottom);
}

// ---- opening and loading --------------------------------------------------------------------

bool Thumbnail::open(const std::wstring& folder)
{
    stop_loading();
    update_buttons();
    folder_ = folder;
    total_ = 0;
    added_ = 0;
    selected_ = 0;
    list_->clear();
    const bool more_than_listed = loader_->open_images(folder);
    if (loader_->archive().frame_count() == 0) {
        throw ThumbnailException(load_text(texts::data_unreadable));
    }
    total_ = loader_->archive().frame_count();
    list_->reserve(total_);
    loading_ = true;
    last_shown_ = timeGetTime();
    show_pause_ms_ = show_interval_ms;
    request_next();
    update_buttons();
    return more_than_listed;
}

void Thumbnail::clear()
{
    stop_loading();
    total_ = 0;
    added_ = 0;
    selected_ = 0;
    list_->clear();
    update_buttons();
}

void Thumbnail::stop_loading()
{
    finished_ = false;
    loading_ = false;
    accepted_ = false;
    loader_->cancel();
    // Pictures of the folder left behind may still wait in the queue.
    drop_deliveries();
}

void Thumbnail::drop_deliveries() { ImageLoader::free_queued_pictures(handle()); }

void Thumbnail::request_next()
{
    if (!folder_exists(folder_)) {
        loader_->disarm();
        owner_.thumbnail_folder_gone();
        throw Exception(load_text(texts::folder_moved));
    }
    // The step retries a request the busy loader refused; an arrival asks for the next at once.
    loader_->alarm(step_interval_ms);
    loader_->open_listed_picture(added_);
    accepted_ = loader_->request(added_);
    steps_waiting_ = 0;
}

template <typename Work> void Thumbnail::reporting(Work work)
{
    try {
        work();
    } catch (const Exception& failure) {
        loader_->disarm();
        loading_ = false; // with what has arrived
        accepted_ = false;
        added_ = list_->count();
        list_->show_added();
        show_warning(GetParent(handle()), failure.message());
    }
}

void Thumbnail::on_alarm()
{
    if (!loading_) {
        return;
    }
    reporting([&] {
        if (added_ >= total_) {
            finish();
        } else if (!accepted_ || ++steps_waiting_ >= lost_request_steps) {
            request_next();
        } else {
            loader_->alarm(step_interval_ms);
        }
    });
}

void Thumbnail::on_picture_delivered(int index, Image* picture)
{
    held_.reset(picture);
    if (!loading_ || index != added_ || added_ >= total_) {
        return; // a late copy of a picture already shown
    }
    reporting([&] {
        // The next picture is asked for first, so that the loader decodes it while this one is
        // made into its thumbnail.
        ++added_;
        accepted_ = false;
        if (added_ < total_) {
            request_next();
        }
        add_thumbnail(index, held_.get());
        if (timeGetTime() - last_shown_ >= show_pause_ms_) {
            show_added();
        }
        if (added_ >= total_) {
            finish();
        }
    });
}

void Thumbnail::show_added()
{
    // Showing a batch costs the control time for every thumbnail it holds (under Wine about a
    // millisecond each): the pause before the next batch grows with that cost, so that showing
    // never takes more than a fifth of the time the strip spends loading.
    const DWORD start = timeGetTime();
    list_->show_added();
    last_shown_ = timeGetTime();
    show_pause_ms_ = std::max(show_interval_ms, show_cost_factor * (last_shown_ - start));
}

void Thumbnail::add_thumbnail(int index, const Image* picture)
{
    const FrameRecord* record = info_->frame_record(index);
    const std::wstring caption = thumbnail_caption(record != nullptr ? record->time : 0);
    if (picture == nullptr) {
        picture = undecodable_.image();
    }
    // The control may give the focus to a new item by itself; that opens no picture.
    adding_ = true;
    try {
        if (picture != nullptr) {
            list_->add(index, *picture, caption);
        } else {
            list_->add(index, Image(strip::thumbnail_width, strip::thumbnail_height), caption);
        }
    } catch (...) {
        adding_ = false;
        throw;
    }
    adding_ = false;
}

void Thumbnail::finish()
{
    finished_ = true;
    loading_ = false;
    loader_->disarm();
    list_->show_added();
    select(selected_ < total_ ? selected_ : 0, true);
    update_buttons();
    owner_.show_picture(selected_);
}

// ---- selection ------------------------------------------------------------------------------

std::wstring Thumbnail::picture_name(int index) const
{
    const FrameRecord* record = index >= 0 && index < total_ ? info_->frame_record(index) : nullptr;
    if (record == nullptr) {
        return {};
    }
    return record->path.substr(record->path.find_last_of(L"\\/") + 1);
}

void Thumbnail::step(Step step)
{
    const int count = list_->count();
    switch (step) {
    case Step::first:
        select(0, false);
        break;
    case Step::previous:
        if (selected_ - 1 >= 0) {
            select(selected_ - 1, false);
        }
        break;
    case Step::next:
        if (selected_ + 1 < count) {
            select(selected_ + 1, false);
        }
        break;
    case Step::last:
        if (count >= 1) {
            select(count - 1, false);
        }
        break;
    }
}

void Thumbnail::select(int index, bool quiet)
{
    // The focus change opens the picture, unless the caller does that itself.
    quiet_selection_ = quiet;
    list_->select(index);
    quiet_selection_ = false;
}

LRESULT Thumbnail::on_notify(const NMHDR& header)
{
    if (header.hwndFrom != list_->handle()) {
        return 0;
    }
    if (header.code == LVN_ITEMCHANGED) {
        on_item_changed(reinterpret_cast<const NMLISTVIEW&>(header));
        return 0;
    }
    if (header.code == NM_CUSTOMDRAW) {
        auto& draw = const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header));
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
            return CDRF_NOTIFYITEMDRAW;
        }
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            // Thumbnails never wear the selected look: the large picture shows the selection.
            // (Not every list control honours a cleared item state, so the strip draws them.)
            draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
            list_->draw_plain(draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec));
            return CDRF_SKIPDEFAULT;
        }
        return CDRF_DODEFAULT;
    }
    return 0;
}

void Thumbnail::on_item_changed(const NMLISTVIEW& change)
{
    const bool gained_focus = (change.uNewState & LVIS_FOCUSED) != 0 && (change.uOldState & LVIS_FOCUSED) == 0;
    if (change.iItem < 0 || !gained_focus) {
        return;
    }
    selected_ = change.iItem;
    if (adding_) {
        return;
    }
    list_->ensure_visible(selected_);
    update_buttons();
    if (!quiet_selection_) {
        owner_.show_picture(selected_);
    }
}

strip::ButtonStates Thumbnail::button_states() const { return strip::button_states(finished_, selected_, total_); }

void Thumbnail::buttonClicked(ImageButton* button)
{
    for (int i = 0; i < 4; ++i) {
        if (button == buttons_[i]) {
            step(static_cast<Step>(i));
        }
    }
}

void Thumbnail::update_buttons()
{
    const strip::ButtonStates states = button_states();
    setEnabled(buttons_[0]->handle(), states.first);
    setEnabled(buttons_[1]->handle(), states.previous);
    setEnabled(buttons_[2]->handle(), states.next);
    setEnabled(buttons_[3]->handle(), states.last);
}
