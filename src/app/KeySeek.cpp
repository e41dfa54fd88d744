#include "app/KeySeek.h"

#include <algorithm>

namespace {

int within(int value, int count)
{
    return std::clamp(value, 0, std::max(count - 1, 0));
}

} // namespace

int KeySeek::eventTarget(Move move, int frame, int frameCount)
{
    switch (move) {
    case back: return within(frame - 1, frameCount);
    case forward: return within(frame + 1, frameCount);
    case first: return 0;
    default: return within(frameCount - 1, frameCount);
    }
}

int KeySeek::continuousTarget(Move move, int position, int totalFrames, std::optional<int> lowest)
{
    int target = 0;
    switch (move) {
    case back: target = position - continuous_frames_per_second; break;
    case forward: target = position + continuous_frames_per_second; break;
    case first: target = 0; break;
    default: target = totalFrames - 1; break;
    }
    target = within(target, totalFrames);
    if ((move == back || move == first) && lowest && position >= *lowest) {
        target = std::max(target, *lowest);
    }
    return target;
}
