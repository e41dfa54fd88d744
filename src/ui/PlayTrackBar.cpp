#include "ui/PlayTrackBar.h"

#include "ui/MarkSpacing.h"

#include <utility>
#include <vector>

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

void PlayTrackBar::drawChannel(HDC dc, int width, int height)
{
    ImageTrackBar::drawChannel(dc, width, height);
    if (showsStopwatchMarks_) {
        drawStopwatchMarks(dc, width);
    }
    if (detectionIndex_ >= 0 && (kindCode_ == 1 || kindCode_ == 2)) {
        const AlphaImage& marker = kindCode_ == 1 ? eventMarker_ : alarmMarker_;
        marker.drawAt(dc, scale().markLeft(detectionIndex_, marker.width()), markTop);
    }
}

void PlayTrackBar::drawStopwatchMarks(HDC dc, int width) const
{
    // The marks in frame order with their pictures; a mark of 0 is none.
    const TrackMarks& stopwatch = marks();
    std::vector<std::pair<const AlphaImage*, int>> shown;
    auto add = [&](const AlphaImage& picture, int value) {
        if (value != 0) {
            shown.emplace_back(&picture, value);
        }
    };
    add(startMark_, stopwatch.start);
    for (size_t lap = 0; lap < lapMarks_.size() && stopwatch.laps[lap] != 0; ++lap) {
        add(*lapMarks_[lap], stopwatch.laps[lap]);
    }
    add(endMark_, stopwatch.end);
    if (shown.empty()) {
        return;
    }
    // The pictures are all of one width.
    const int markWidth = shown.front().first->width();
    std::vector<int> lefts;
    for (const auto& [picture, value] : shown) {
        lefts.push_back(scale().markLeft(value, markWidth));
    }
    lefts = MarkSpacing::spread(std::move(lefts), markWidth, width);
    for (size_t i = 0; i < shown.size(); ++i) {
        shown[i].first->drawAt(dc, lefts[i], markTop);
    }
}
