#pragma once
// The volume and brightness sliders, a reset-to-standard button beside each, and the button
// that opens a folder.
#include "ui/AlphaImage.h"
#include "ui/ImageButtonListener.h"
#include "ui/ImageTrackBarListener.h"
#include "ui/Window.h"

#include <string>

class GammaCorrection;
class ImageButton;
class ImageTrackBar;
class ISoundPlayer;
class TrackToolTip;

class ConfigPanel : public Window, public ImageButtonListener, public ImageTrackBarListener {
public:
    // A visible child of `parent`. The volume goes to `sound`, the brightness to `brightness`
    // (and `video` is repainted with it); the open-folder button sends the open command to
    // `command_window`. The object belongs to its window.
    ConfigPanel(HWND parent, ISoundPlayer& sound, GammaCorrection& brightness, HWND video, HWND command_window);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The sound controls (volume slider and its reset) are disabled where there is no sound.
    void enable_sound_controls(bool enabled);

    void buttonClicked(ImageButton* button) override;
    void buttonPressed(ImageButton*) override {}
    void trackChanged(ImageTrackBar* bar) override;
    void trackStarted(ImageTrackBar*) override {}
    void trackEnded(ImageTrackBar*) override {}

    ImageTrackBar& volume_bar() { return *volume_; }
    ImageTrackBar& brightness_bar() { return *brightness_; }
    ImageButton& volume_reset() { return *volume_reset_; }
    ImageButton& brightness_reset() { return *brightness_reset_; }
    ImageButton& open_button() { return *open_; }
    TrackToolTip& tooltip() { return *tooltip_; }

    // The brightness slider's tip: the gamma it sets, "%3.1f".
    static std::wstring brightness_text(int value);

    static constexpr int standard_volume = 16;
    static constexpr int standard_brightness = 10; // gamma 1.0
    static constexpr int background_image = 10024;

private:
    void on_erase_background(HDC dc);

    ISoundPlayer& sound_;
    GammaCorrection& brightness_table_;
    HWND video_;
    HWND command_window_;
    AlphaImage background_{background_image};
    // Each control belongs to its window, a child of this one (the tooltip is owned by it).
    TrackToolTip* tooltip_ = nullptr;
    ImageTrackBar* volume_ = nullptr;
    ImageTrackBar* brightness_ = nullptr;
    ImageButton* volume_reset_ = nullptr;
    ImageButton* brightness_reset_ = nullptr;
    ImageButton* open_ = nullptr;
};
