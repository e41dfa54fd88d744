#include "panels/ConsoleState.h"

#include "panels/OffsetReadout.h"

#include <algorithm>

ConsoleState::ConsoleState(const PlayerSnapshot& player)
{
    const int lastFrame = player.hasInfo ? player.frameCount - 1 : -1;
    const bool open = player.state >= 1 && player.state <= 3;
    // Nothing open, nothing playing: the pause look would offer a pause there is nothing to pause.
    playingLook = player.state == 1;
    if (open) {
        playEnabled = true;
        stopEnabled = player.frame > 0;
        previousEnabled = true;
        nextEnabled = true;
        if (player.continuous) {
            forwardEnabled = player.chapter < player.chapterCount - 1;
            backEnabled = player.chapter > 0;
        } else {
            forwardEnabled = player.frame < lastFrame;
            backEnabled = player.frame > 0;
        }
    }
    barMaximum = player.continuous ? player.totalFrames - 1 : lastFrame;
    if (player.continuous) {
        movesBar = player.state != 0;
        barValue = player.chapter * chapterFrames + player.frame;
        return;
    }
    movesBar = true;
    barValue = std::clamp(player.frame, 0, std::max(barMaximum, 0));
    showsReadout = true;
    readout = OffsetReadout::text(player.hasInfo, player.kindCode, player.detectionIndex, player.frame);
}
