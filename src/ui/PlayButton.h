#pragma once
// The play/pause toggle: an ImageButton that shows its pause pictures while a recording plays.
#include "ui/ImageButton.h"

class PlayButton : public ImageButton {
public:
    PlayButton(HWND parent, int x, int y, int width, int height);

    // Exchanges the three pictures in use with the three alternates when the look changes.
    void setPlaying(bool playing);
    bool isPlaying() const { return playing_; }

    // The pause look: normal, pressed, disabled.
    static constexpr int playingNormalImage = 10034;
    static constexpr int playingPressedImage = 10035;
    static constexpr int playingDisabledImage = 10033;

private:
    bool playing_ = false;
    std::unique_ptr<AlphaImage> alternateNormal_;
    std::unique_ptr<AlphaImage> alternatePressed_;
    std::unique_ptr<AlphaImage> alternateDisabled_;
};
