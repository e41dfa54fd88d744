#include "panels/ConsolePanel.h"

#include "base/Text.h"
#include "panels/IConsoleOwner.h"
#include "panels/IConsoleStopwatch.h"
#include "panels/OffsetReadout.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "recording/IVideoInfo.h"
#include "ResourceIds.h"
#include "ui/GdiHandles.h"
#include "ui/ImageButton.h"
#include "ui/PlayButton.h"
#include "ui/PlayTrackBar.h"
#include "ui/TrackToolTip.h"
#include "ui/WindowUtilities.h"

#include <algorithm>

namespace {

// Background pictures: left end, stretched middle, right end; the disabled look's middle and end.
constexpr int leftImage = 223;
constexpr int middleImage = 221;
constexpr int rightImage = 222;
constexpr int disabledMiddleImage = 424;
constexpr int disabledRightImage = 425;
constexpr int firstGlyphImage = 236;

// The position bar stands right of the buttons and leaves room for the readout on its right.
constexpr int barX = 249;
constexpr int barY = 26;
constexpr int barHeight = 30;
constexpr int barWidthLess = 344;
constexpr int barThumbImage = 10031;
constexpr int barChannelImage = 10027;
constexpr int barPlayedImage = 295;

struct ButtonPlace {
    int x, y, size, normal, pressed, disabled, tip;
};
constexpr ButtonPlace playPlace{23, 11, 40, 10015, 10016, 10017, texts::tip_play_pause};
constexpr ButtonPlace stopPlace{67, 18, 26, 10018, 10019, 10020, texts::tip_stop};
constexpr ButtonPlace previousPlace{107, 17, 30, 10009, 10010, 10011, texts::tip_previous};
constexpr ButtonPlace nextPlace{140, 17, 30, 10012, 10013, 10014, texts::tip_next};
constexpr ButtonPlace backPlace{198, 22, 22, 10003, 10004, 10005, texts::tip_step_back};
constexpr ButtonPlace forwardPlace{220, 22, 22, 10006, 10007, 10008, texts::tip_step_forward};

template <typename Button>
Button* makeButton(HWND parent, const ButtonPlace& place)
{
    auto* button = new Button(parent, place.x, place.y, place.size, place.size);
    button->setImages(place.normal, place.pressed, place.disabled);
    return button;
}

int barWidthFor(int panelWidth)
{
    return std::max(0, panelWidth - barWidthLess);
}

} // namespace

ConsolePanel::ConsolePanel(HWND parent, IConsoleOwner& owner, VideoPlayer& player, IConsoleStopwatch& stopwatch,
                           int x, int y, int width)
    : owner_(owner), player_(player), stopwatch_(&stopwatch), readout_(L"\u00b100.0"), left_(leftImage),
      middle_(middleImage), right_(rightImage), disabledMiddle_(disabledMiddleImage),
      disabledRight_(disabledRightImage)
{
    CreationRecord record = childRecord(parent, x, y, width, height);
    record.extendedStyle = WS_EX_CONTROLPARENT;
    record.style |= WS_CLIPCHILDREN;
    create(record);
    for (size_t i = 0; i < glyphs_.size(); ++i) {
        glyphs_[i] = std::make_unique<AlphaImage>(firstGlyphImage + static_cast<int>(i));
    }

    play_ = makeButton<PlayButton>(handle(), playPlace);
    stop_ = makeButton<ImageButton>(handle(), stopPlace);
    previous_ = makeButton<ImageButton>(handle(), previousPlace);
    next_ = makeButton<ImageButton>(handle(), nextPlace);
    back_ = makeButton<ImageButton>(handle(), backPlace);
    forward_ = makeButton<ImageButton>(handle(), forwardPlace);
    play_->clearDrawEdge();
    stop_->clearDrawEdge();

    tooltip_ = new TrackToolTip(handle());
    const std::pair<ImageButton*, const ButtonPlace*> buttons[] = {
        {play_, &playPlace}, {stop_, &stopPlace}, {previous_, &previousPlace},
        {next_, &nextPlace}, {back_, &backPlace}, {forward_, &forwardPlace}};
    for (const auto& [button, place] : buttons) {
        button->setListener(this);
        tooltip_->addButtonTool(load_text(place->tip), button->handle());
    }

    bar_ = new PlayTrackBar(handle(), barX, barY, barWidthFor(width), barHeight);
    bar_->setImages(barThumbImage, barChannelImage, barPlayedImage);
    bar_->setThreeSlice(true);
    bar_->setListener(this);
    refresh();
}

LRESULT ConsolePanel::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        onEraseBackground(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_SIZE:
        onSize(LOWORD(lParam));
        return 0;
    case WM_ENABLE:
        InvalidateRect(handle(), nullptr, TRUE);
        return 0;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

bool ConsolePanel::continuous() const
{
    return dataType_ == data_type_continuous;
}

void ConsolePanel::setDataType(int dataType)
{
    dataType_ = dataType;
    bar_->setShowsStopwatchMarks(continuous());
    InvalidateRect(handle(), nullptr, TRUE);
}

// ---- buttons ---------------------------------------------------------------------------------

void ConsolePanel::buttonClicked(ImageButton* button)
{
    if (button == play_) {
        clickPlay();
    } else if (button == stop_) {
        clickStop();
    } else if (button == next_) {
        owner_.step_recording(false);
        return; // the panel may show another recording now; the steps below were for this one
    } else if (button == previous_) {
        owner_.step_recording(true);
        return;
    }
    if (continuous() && (button == forward_ || button == back_)) {
        stepChapter(button == forward_);
    }
}

void ConsolePanel::clickPlay()
{
    if (play_->isPlaying()) {
        player_.pause();
        return;
    }
    const int state = player_.state();
    if (continuous()) {
        const bool atVeryEnd = player_.chapter() >= player_.chapter_count() - 1 &&
                               player_.chapter() * ConsoleState::chapterFrames + player_.frame() + 1 >=
                                   player_.total_frames();
        if (state == VideoPlayer::stopped && atVeryEnd) {
            player_.seek_total(0, 1);
        } else if (state == VideoPlayer::paused) {
            player_.resume();
        } else {
            player_.play(player_.frame());
        }
        if (stopwatch_->lapCount() < 1) {
            stopwatch_->enableStartStop();
        }
        return;
    }
    if (state == VideoPlayer::paused) {
        player_.resume();
    } else {
        player_.play(player_.frame());
    }
}

void ConsolePanel::clickStop()
{
    // A measurement ends as its own button would end it; without one, the stopwatch's start/stop
    // button is disabled, as nothing plays to be measured.
    stopwatch_->endMeasuring();
    player_.seek(0);
}

void ConsolePanel::stepChapter(bool forward)
{
    const int chapter = player_.chapter();
    const int playFlag = player_.state() == VideoPlayer::playing ? 1 : 0;
    if (forward) {
        if (chapter < player_.chapter_count() - 1) {
            player_.seek_total((chapter + 1) * ConsoleState::chapterFrames, playFlag);
        }
        return;
    }
    if (chapter < 1) {
        return;
    }
    int target = (chapter - 1) * ConsoleState::chapterFrames;
    if (stopwatch_->measuring()) {
        const TrackMarks marks = stopwatch_->marks();
        const int lastLap = marks.lastLap();
        target = std::max(target, lastLap != 0 ? lastLap : marks.start);
    }
    player_.seek_total(target, playFlag);
}

void ConsolePanel::buttonPressed(ImageButton* button)
{
    if (continuous()) {
        return;
    }
    if (button == forward_) {
        player_.seek(player_.frame() + 1);
    } else if (button == back_) {
        player_.seek(player_.frame() - 1);
    }
}

// ---- position bar ----------------------------------------------------------------------------

void ConsolePanel::trackStarted(ImageTrackBar*)
{
    stateOnTrackStart_ = player_.state();
}

void ConsolePanel::trackChanged(ImageTrackBar* bar)
{
    const int value = bar->value();
    player_.seek(continuous() ? value - player_.chapter() * ConsoleState::chapterFrames : value);
}

void ConsolePanel::trackEnded(ImageTrackBar* bar)
{
    if (continuous()) {
        player_.seek_total(bar->value(), stateOnTrackStart_ == VideoPlayer::playing ? 1 : 0);
        return;
    }
    if (stateOnTrackStart_ != VideoPlayer::playing) {
        return;
    }
    if (player_.state() == VideoPlayer::paused) {
        player_.resume();
    } else {
        player_.play(player_.frame());
    }
}

// ---- refresh, modes --------------------------------------------------------------------------

PlayerSnapshot ConsolePanel::snapshot() const
{
    PlayerSnapshot player;
    player.state = player_.state();
    player.frame = player_.frame();
    player.chapter = player_.chapter();
    player.chapterCount = player_.chapter_count();
    player.totalFrames = player_.total_frames();
    if (const IVideoInfo* info = player_.info()) {
        player.hasInfo = true;
        player.frameCount = info->frame_count();
        player.detectionIndex = info->detection_index();
        player.kindCode = info->kind_code();
    }
    player.continuous = continuous();
    return player;
}

void ConsolePanel::refresh()
{
    const PlayerSnapshot player = snapshot();
    const ConsoleState shown(player);
    // The readout follows the player even on a disabled panel: a picture of the image mode reads
    // "±00.0", not what the event recording before it was paused at.
    updateReadout(shown);
    if (!IsWindowEnabled(handle())) {
        return;
    }
    EnableWindow(play_->handle(), shown.playEnabled);
    play_->setPlaying(shown.playingLook);
    EnableWindow(stop_->handle(), shown.stopEnabled);
    EnableWindow(previous_->handle(), shown.previousEnabled);
    EnableWindow(next_->handle(), shown.nextEnabled);
    EnableWindow(forward_->handle(), shown.forwardEnabled);
    EnableWindow(back_->handle(), shown.backEnabled);

    bar_->setRange(0, shown.barMaximum);
    bar_->setDetection(player.detectionIndex, player.kindCode);
    // While the user holds the bar its value is theirs: a tick between two drag reports would
    // otherwise pull the thumb back to the frame it is leaving.
    if (shown.movesBar && !bar_->isHeld()) {
        bar_->setValue(shown.barValue, false);
    }
    if (continuous() && player.state != VideoPlayer::nothing_open) {
        bar_->setMarks(stopwatch_->marks());
        bar_->setBarrier(stopwatch_->measuring());
    }
}

void ConsolePanel::updateReadout(const ConsoleState& shown)
{
    if (shown.showsReadout && shown.readout != readout_) {
        readout_ = shown.readout;
        const RECT area = readoutRect();
        InvalidateRect(handle(), &area, FALSE);
    }
}

void ConsolePanel::reset()
{
    bar_->setMarks({});
    bar_->setBarrier(false);
    bar_->setRange(0, 0);
    bar_->setValue(0, false);
    bar_->setDetection(-1, 0);
    refresh();
}

void ConsolePanel::setStepToolTips(int dataType)
{
    const bool chapters = dataType == data_type_continuous;
    tooltip_->setText(back_->handle(), load_text(chapters ? texts::tip_previous_chapter : texts::tip_step_back));
    tooltip_->setText(forward_->handle(), load_text(chapters ? texts::tip_next_chapter : texts::tip_step_forward));
}

void ConsolePanel::enable(bool flag)
{
    EnableWindow(handle(), flag);
    for (ImageButton* button : {static_cast<ImageButton*>(play_), stop_, previous_, next_, back_, forward_}) {
        EnableWindow(button->handle(), flag);
    }
    EnableWindow(bar_->handle(), flag);
    const int show = flag ? SW_SHOW : SW_HIDE;
    ShowWindow(back_->handle(), show);
    ShowWindow(forward_->handle(), show);
    ShowWindow(bar_->handle(), show);
    InvalidateRect(handle(), nullptr, TRUE);
}

// ---- drawing ---------------------------------------------------------------------------------

void ConsolePanel::onSize(int width)
{
    MoveWindow(bar_->handle(), barX, barY, barWidthFor(width), barHeight, TRUE);
    InvalidateRect(handle(), nullptr, TRUE);
}

void ConsolePanel::onEraseBackground(HDC dc)
{
    drawBackground(dc);
    refresh();
}

void ConsolePanel::drawBackground(HDC dc) const
{
    RECT client;
    GetClientRect(handle(), &client);
    const int width = client.right;
    const bool enabled = IsWindowEnabled(handle()) != FALSE;
    const AlphaImage& middle = enabled ? middle_ : disabledMiddle_;
    const AlphaImage& right = enabled ? right_ : disabledRight_;
    if (!left_.hasPicture() || !middle.hasPicture() || !right.hasPicture()) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    left_.drawAt(dc, 0, 0);
    const int rightX = width - right.width();
    // Disabled, the middle starts over the left end's last quarter.
    const int middleX = enabled ? left_.width() : left_.width() - left_.width() / 4;
    if (rightX > middleX) {
        middle.drawStretched(dc, middleX, 0, rightX - middleX, middle.height());
    }
    right.drawAt(dc, rightX, 0);
}

RECT ConsolePanel::readoutRect() const
{
    RECT client;
    GetClientRect(handle(), &client);
    const int glyphHeight = glyphs_[0]->hasPicture() ? glyphs_[0]->height() : 0;
    return RECT{client.right - readoutFromRight, readoutTop, client.right, readoutTop + glyphHeight};
}

void ConsolePanel::onPaint()
{
    PaintDc paint(handle());
    if (continuous()) {
        return;
    }
    // The readout's length changes: the background under it is drawn again first.
    const RECT area = readoutRect();
    IntersectClipRect(paint.get(), area.left, area.top, area.right, area.bottom);
    drawBackground(paint.get());
    drawReadout(paint.get());
}

void ConsolePanel::drawReadout(HDC dc) const
{
    int x = readoutRect().left;
    for (const wchar_t character : readout_) {
        const int id = OffsetReadout::glyphImage(character);
        if (id == 0) {
            continue;
        }
        const AlphaImage& glyph = *glyphs_[static_cast<size_t>(id - firstGlyphImage)];
        glyph.drawAt(dc, x, readoutTop);
        x += glyph.width();
    }
}
