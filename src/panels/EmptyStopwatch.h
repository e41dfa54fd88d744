#pragma once
// A stopwatch that never measures and holds no marks, for a console without a stopwatch.
#include "panels/IConsoleStopwatch.h"

class EmptyStopwatch : public IConsoleStopwatch {
public:
    bool measuring() const override { return false; }
    int lapCount() const override { return 0; }
    TrackMarks marks() const override { return {}; }
    void endMeasuring() override {}
    void enableStartStop() override {}
};
