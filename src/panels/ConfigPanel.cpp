#include "panels/ConfigPanel.h"

#include "base/Text.h"
#include "panels/ChartWindow.h"
#include "playback/GammaCorrection.h"
#include "playback/ISoundPlayer.h"
#include "ui/ImageButton.h"
#include "ui/ImageTrackBar.h"
#include "ui/TrackToolTip.h"
#include "ui/WindowUtilities.h"

#include "ResourceIds.h"

#include <cstdio>

namespace {

constexpr int thumb_image = 291;
constexpr int volume_channel_image = 403;
constexpr int brightness_channel_image = 10001;
constexpr int volume_reset_image = 290;
constexpr int volume_reset_disabled_image = 431;
constexpr int brightness_reset_image = 289;
constexpr int open_image = 10021;
constexpr int open_pressed_image = 10022;
constexpr int open_disabled_image = 10023;

} // namespace

ConfigPanel::ConfigPanel(HWND parent, ISoundPlayer& sound, GammaCorrection& brightness, HWND video,
                         HWND command_window)
    : sound_(sound), brightness_table_(brightness), video_(video), command_window_(command_window)
{
    create(panel_record(parent, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT));
    tooltip_ = new TrackToolTip(handle());

    volume_ = new ImageTrackBar(handle(), 40, 8, 151, 16);
    volume_->setImages(thumb_image, volume_channel_image, 0);
    volume_->setRange(0, 16);
    volume_->setValue(standard_volume, false);
    volume_->setToolTip(tooltip_);
    volume_->setListener(this);

    brightness_ = new ImageTrackBar(handle(), 40, 26, 151, 16);
    brightness_->setImages(thumb_image, brightness_channel_image, 0);
    brightness_->setRange(1, 50);
    brightness_->setValue(standard_brightness, false);
    brightness_->setValueText(&ConfigPanel::brightness_text);
    brightness_->setToolTip(tooltip_);
    brightness_->setListener(this);

    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    volume_reset_ = new ImageButton(handle(), 13, 6, 17, 15);
    volume_reset_->setImages(volume_reset_image, 0, volume_reset_disabled_image);
    brightness_reset_ = new ImageButton(handle(), 13, 25, 16, 16);
    brightness_reset_->setImages(brightness_reset_image, 0, 0);
    for (ImageButton* reset : {volume_reset_, brightness_reset_}) {
        reset->clearDrawEdge();
        reset->setCursor(hand);
    }
    open_ = new ImageButton(handle(), 57, 47, 102, 28);
    open_->setImages(open_image, open_pressed_image, open_disabled_image);

    tooltip_->addButtonTool(load_text(texts::standard_volume), volume_reset_->handle());
    tooltip_->addButtonTool(load_text(texts::standard_brightness), brightness_reset_->handle());
    tooltip_->addButtonTool(load_text(texts::open_folder), open_->handle());
    for (ImageButton* button : {volume_reset_, brightness_reset_, open_}) {
        button->setListener(this);
    }
}

LRESULT ConfigPanel::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        on_erase_background(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_SIZE:
        return 0; // the controls stand where they were made
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

std::wstring ConfigPanel::brightness_text(int value)
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%3.1f", value / 10.0);
    return text;
}

void ConfigPanel::enable_sound_controls(bool enabled)
{
    setEnabled(volume_->handle(), enabled);
    setEnabled(volume_reset_->handle(), enabled);
}

void ConfigPanel::buttonClicked(ImageButton* button)
{
    if (button == volume_reset_) {
        volume_->setValue(standard_volume, true);
    } else if (button == brightness_reset_) {
        brightness_->setValue(standard_brightness, true);
    } else if (button == open_) {
        // As the menu's open command; posted, so the button has let go of the mouse first.
        PostMessageW(command_window_, WM_COMMAND, MAKEWPARAM(IDC_CMD_OPEN, 0), 0);
    }
}

void ConfigPanel::trackChanged(ImageTrackBar* bar)
{
    if (bar == volume_) {
        sound_.set_volume(volume_->value());
    } else if (bar == brightness_) {
        brightness_table_.set(brightness_->value() / 10.0);
        InvalidateRect(video_, nullptr, FALSE);
    }
}

void ConfigPanel::on_erase_background(HDC dc)
{
    if (background_.hasPicture()) {
        background_.drawAt(dc, 0, 0);
    } else {
        RECT client{};
        GetClientRect(handle(), &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    for (Window* control : {static_cast<Window*>(volume_), static_cast<Window*>(brightness_),
                            static_cast<Window*>(volume_reset_), static_cast<Window*>(brightness_reset_),
                            static_cast<Window*>(open_)}) {
        InvalidateRect(control->handle(), nullptr, TRUE);
    }
}
