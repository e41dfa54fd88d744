#pragma once
// The playback position bar: the three-slice channel, the stopwatch's marks (continuous mode) and
// the marker of the detection instant.
#include "ui/ImageTrackBar.h"

#include <array>

class PlayTrackBar : public ImageTrackBar {
public:
    PlayTrackBar(HWND parent, int x, int y, int width, int height);

    void drawChannel(HDC dc, int width, int height) override;

    // The detection frame (−1 for none) and the recording's kind code (1 or 2 draw a marker).
    void setDetection(int index, int kindCode);
    int detectionIndex() const { return detectionIndex_; }
    int kindCode() const { return kindCode_; }
    // The stopwatch's marks are drawn only while this is set (the continuous mode).
    void setShowsStopwatchMarks(bool shows);

    static constexpr int markTop = 11;

private:
    // Start, laps and end, each at its frame unless it would cover the mark before it.
    void drawStopwatchMarks(HDC dc, int width) const;

    bool showsStopwatchMarks_ = false;
    int detectionIndex_ = -1;
    int kindCode_ = 0;
    AlphaImage startMark_;
    AlphaImage endMark_;
    // Laps 1 to 9; a tenth lap has no picture.
    std::array<std::unique_ptr<AlphaImage>, 9> lapMarks_;
    AlphaImage eventMarker_;
    AlphaImage alarmMarker_;
};
