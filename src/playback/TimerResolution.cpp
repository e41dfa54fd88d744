#include "playback/TimerResolution.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>

TimerResolution::TimerResolution()
{
    TIMECAPS caps{};
    if (timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR) {
        const UINT period = std::max<UINT>(caps.wPeriodMin, 1);
        if (timeBeginPeriod(period) == TIMERR_NOERROR) {
            period_ = period; // kept only when it was set, so that it is ended exactly once
        }
    }
}

TimerResolution::~TimerResolution()
{
    if (period_ != 0) {
        timeEndPeriod(period_);
    }
}
