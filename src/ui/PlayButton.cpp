#include "ui/PlayButton.h"

PlayButton::PlayButton(HWND parent, int x, int y, int width, int height)
    : ImageButton(parent, x, y, width, height),
      alternateNormal_(std::make_unique<AlphaImage>(playingNormalImage)),
      alternatePressed_(std::make_unique<AlphaImage>(playingPressedImage)),
      alternateDisabled_(std::make_unique<AlphaImage>(playingDisabledImage))
{
}

void PlayButton::setPlaying(bool playing)
{
    if (playing == playing_) {
        return;
    }
    playing_ = playing;
    normal_.swap(alternateNormal_);
    pressed_.swap(alternatePressed_);
    disabled_.swap(alternateDisabled_);
    InvalidateRect(handle(), nullptr, TRUE);
}
