#include "panels/StopWatch.h"

#include "base/Text.h"
#include "panels/LapText.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "ui/ImageButton.h"
#include "ui/TrackToolTip.h"
#include "ui/WindowUtilities.h"

#include "ResourceIds.h"

namespace {

struct ButtonPlace {
    int x, y, width, height;
    int normal, pressed, disabled;
    int tip;
};

constexpr ButtonPlace start_stop_place{12, 36, 93, 24, IDB_LAP_START_STOP, IDB_LAP_START_STOP_PRESSED,
                                      IDB_LAP_START_STOP_DISABLED, texts::tip_lap_start_stop};
constexpr ButtonPlace lap_reset_place{104, 36, 91, 24, IDB_LAP_SPLIT_RESET, IDB_LAP_SPLIT_RESET_PRESSED,
                                     IDB_LAP_SPLIT_RESET_DISABLED, texts::tip_lap_split_reset};
constexpr ButtonPlace lap_list_place{12, 61, 184, 24, IDB_LAP_LIST, IDB_LAP_LIST_PRESSED, IDB_LAP_LIST_DISABLED,
                                    texts::tip_lap_list};
constexpr int unit_gap = 10; // the second line and its unit sit this far left of centre

int text_width(HDC dc, const std::wstring& text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

} // namespace

StopWatch::StopWatch(HWND parent, VideoPlayer& player) : player_(player)
{
    CreationRecord record = childRecord(parent, 0, 0, 209, 89);
    record.extendedStyle = WS_EX_CONTROLPARENT;
    record.style = WS_CHILD | WS_VISIBLE;
    create(record);
    black_.reset(static_cast<HBRUSH>(CreateSolidBrush(RGB(0, 0, 0))));
    font_.reset(CreateFontW(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_STRING_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"ＭＳ ゴシック"));
    tips_ = new TrackToolTip(handle());
    const auto make = [&](const ButtonPlace& place) {
        auto* button = new ImageButton(handle(), place.x, place.y, place.width, place.height);
        button->setImages(place.normal, place.pressed, place.disabled);
        button->setListener(this);
        tips_->addButtonTool(load_text(place.tip), button->handle());
        return button;
    };
    start_stop_ = make(start_stop_place);
    lap_reset_ = make(lap_reset_place);
    lap_list_button_ = make(lap_list_place);
    lap_list_ = std::make_unique<LapDialog>(laps_, *this);
}

StopWatch::~StopWatch()
{
    if (lap_list_ != nullptr) {
        lap_list_->close();
    }
}

LRESULT StopWatch::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        if (on_erase_background(reinterpret_cast<HDC>(wParam))) {
            return 1;
        }
        break;
    case WM_PAINT:
        on_paint();
        return 0;
    case WM_DESTROY:
        lap_list_->close(); // the list is owned by this window
        break;
    default:
        break;
    }
    return Window::windowProc(message, wParam, lParam);
}

// ---- state ----------------------------------------------------------------------------------

bool StopWatch::continuous_mode() const { return data_type_ == data_type_continuous; }

bool StopWatch::playing() const { return player_.state() == VideoPlayer::playing; }

int StopWatch::global_frame() const { return player_.chapter() * frames_per_chapter + player_.frame(); }

void StopWatch::marks_changed()
{
    if (marks_changed_) {
        marks_changed_();
    }
}

void StopWatch::full_reset()
{
    laps_.clear();
    player_.clear_frame_table();
    setEnabled(start_stop_->handle(), false);
    setEnabled(lap_reset_->handle(), false);
    setEnabled(lap_list_button_->handle(), false);
    setEnabled(handle(), false);
    lap_list_->repaint();
}

void StopWatch::update_buttons(int player_state)
{
    if (!continuous_mode()) {
        return;
    }
    setEnabled(start_stop_->handle(), laps_.start_stop_allowed(player_state == VideoPlayer::playing));
    setEnabled(lap_reset_->handle(), laps_.lap_reset_allowed());
    setEnabled(lap_list_button_->handle(), !lap_list_->is_open());
    setEnabled(handle(), true);
}

void StopWatch::lap_list_by_mode()
{
    if (!continuous_mode()) {
        lap_list_->close();
        return;
    }
    lap_list_->repaint();
    if (lap_list_->is_open()) {
        setEnabled(lap_list_button_->handle(), false);
    }
}

void StopWatch::end_measuring()
{
    if (laps_.measuring()) {
        on_start_stop();
    } else if (isEnabled(start_stop_->handle())) {
        setEnabled(start_stop_->handle(), false);
    }
}

void StopWatch::enable_start_stop(bool enabled) { setEnabled(start_stop_->handle(), enabled); }

TrackMarks StopWatch::marks() const
{
    TrackMarks marks;
    marks.start = laps_.start_mark();
    marks.end = laps_.end_mark();
    marks.laps = laps_.lap_marks();
    return marks;
}

void StopWatch::redraw()
{
    // The buttons follow the player through every change of state, a chapter change included,
    // so a measurement can be stopped in any chapter it runs into.
    if (continuous_mode() && player_.state() != VideoPlayer::nothing_open) {
        update_buttons(player_.state());
    }
    InvalidateRect(handle(), nullptr, FALSE);
}

// ---- buttons --------------------------------------------------------------------------------

void StopWatch::buttonClicked(ImageButton* button)
{
    if (button == start_stop_) {
        on_start_stop();
    } else if (button == lap_reset_) {
        on_lap_reset();
    } else if (button == lap_list_button_) {
        on_lap_list();
    }
}

void StopWatch::on_start_stop()
{
    if (!playing()) {
        return;
    }
    if (!laps_.measuring()) {
        laps_.start(player_.frame_table(), player_.chapter(), global_frame());
    } else {
        laps_.stop(player_.frame_table(), player_.chapter(), global_frame());
        setEnabled(start_stop_->handle(), false);
        setEnabled(lap_reset_->handle(), true);
        lap_list_->repaint();
    }
    InvalidateRect(handle(), nullptr, FALSE);
    marks_changed();
}

void StopWatch::on_lap_reset()
{
    if (laps_.measuring()) {
        if (!playing() || !laps_.take_lap(player_.frame_table(), player_.chapter(), global_frame())) {
            return;
        }
        if (!laps_.lap_reset_allowed()) {
            setEnabled(lap_reset_->handle(), false);
        }
        setEnabled(start_stop_->handle(), true);
    } else {
        laps_.reset();
        if (playing()) {
            setEnabled(start_stop_->handle(), true);
        }
    }
    marks_changed();
    InvalidateRect(handle(), nullptr, FALSE);
    lap_list_->repaint();
}

void StopWatch::on_lap_list()
{
    if (lap_list_->show(handle()) != nullptr) {
        setEnabled(lap_list_button_->handle(), false);
    }
}

void StopWatch::lap_list_closed()
{
    if (continuous_mode()) {
        setEnabled(lap_list_button_->handle(), true);
    }
}

// ---- drawing --------------------------------------------------------------------------------

bool StopWatch::on_erase_background(HDC dc)
{
    RECT client{};
    GetClientRect(handle(), &client);
    if (background_.hasPicture()) {
        background_.drawAt(dc, 0, 0);
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    // The buttons are drawn again over the background.
    for (ImageButton* button : {start_stop_, lap_reset_, lap_list_button_}) {
        InvalidateRect(button->handle(), nullptr, FALSE);
    }
    return true;
}

void StopWatch::on_paint()
{
    PaintDc paint(handle());
    HDC dc = paint.get();
    RECT client{};
    GetClientRect(handle(), &client);
    const int width = client.right;
    RECT box{box_left, box_top, width - box_right_margin, client.bottom - box_bottom_margin};
    FillRect(dc, &box, black_.get());
    SelectedObject font(dc, font_.get());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);

    const int elapsed = laps_.measuring() ? laps_.elapsed(player_.frame_table(), global_frame()) : 0;
    const std::wstring first = lap_text::first_line(laps_, elapsed);
    const int first_width = text_width(dc, first);
    TextOutW(dc, width / 2 - first_width / 2, first_line_y, first.c_str(), static_cast<int>(first.size()));

    const std::wstring second = lap_text::second_line(laps_);
    const int second_width = text_width(dc, second);
    TextOutW(dc, width / 2 - second_width / 2 - unit_gap, second_line_y, second.c_str(),
             static_cast<int>(second.size()));
    const std::wstring unit = load_text(texts::lap_speed_unit);
    TextOutW(dc, width / 2 + second_width / 2 - unit_gap, second_line_y, unit.c_str(), static_cast<int>(unit.size()));
}
