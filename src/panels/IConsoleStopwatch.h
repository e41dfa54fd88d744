#pragma once
// The stopwatch as the console panel sees it: its marks on the position bar, whether it measures,
// and its start/stop button.
#include "ui/TrackScale.h"

class IConsoleStopwatch {
public:
    virtual ~IConsoleStopwatch() = default;

    virtual bool measuring() const = 0;
    virtual int lapCount() const = 0;
    // Global frames (chapter x 600 + frame); 0 is no mark.
    virtual TrackMarks marks() const = 0;
    // Ends the measurement as a click on the start/stop button does; without a measurement
    // disables that button.
    virtual void endMeasuring() = 0;
    virtual void enableStartStop() = 0;
};
