#include "ui/PlayTrackBar.h"

namespace {

constexpr int startMarkImage = 115;
constexpr int endMarkImage = 116;
constexpr int lapMarkImages[9] = {117, 118, 119, 120, 121, 122, 123, 127, 128};
// The detection marker by kind code 1 and 2.
constexpr int kindOneMarkerImage = 10029;
constexpr int kindTwoMarkerImage = 10030;

} // namespace

PlayTrackBar::PlayTrackBar(HWND parent, int x, int y, int width, int height)
    : ImageTrackBar(parent, x, y, width, height), startMark_(startMarkImage), endMark_(endMarkImage),
      eventMarker_(kindOneMarkerImage), alarmMarker_(kindTwoMarkerImage)
{
    for (size_t i = 0; i < lapMarks_.size(); ++i) {
        lapMarks_[i] = std::make_unique<AlphaImage>(lapMarkImages[i]);
    }
}

void PlayTrackBar::setDetection(int index, int kindCode)
{
    if (index != detectionIndex_ || kindCode != kindCode_) {
        detectionIndex_ = index;
        kindCode_ = kindCode;
        InvalidateRect(handle(), nullptr, FALSE);
    }
}

void PlayTrackBar::setShowsStopwatchMarks(bool shows)
{
    if (shows != showsStopwatchMarks_) {
        showsStopwatchMarks_ = shows;
        InvalidateRect(handle(), nullptr, FALSE);
    }
}

void PlayTrackBar::drawMark(HDC dc, const AlphaImage& picture, int value) const
{
    if (value == 0) {
        return;
    }
    picture.drawAt(dc, scale().markLeft(value, picture.width()), markTop);
}

void PlayTrackBar::drawChannel(HDC dc, int width, int height)
{
    ImageTrackBar::drawChannel(dc, width, height);
    if (showsStopwatchMarks_) {
        const TrackMarks& stopwatch = marks();
        drawMark(dc, startMark_, stopwatch.start);
        for (size_t lap = 0; lap < lapMarks_.size() && stopwatch.laps[lap] != 0; ++lap) {
            drawMark(dc, *lapMarks_[lap], stopwatch.laps[lap]);
        }
        drawMark(dc, endMark_, stopwatch.end);
    }
    if (detectionIndex_ >= 0 && (kindCode_ == 1 || kindCode_ == 2)) {
        const AlphaImage& marker = kindCode_ == 1 ? eventMarker_ : alarmMarker_;
        marker.drawAt(dc, scale().markLeft(detectionIndex_, marker.width()), markTop);
    }
}
