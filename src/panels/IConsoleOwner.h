#pragma once
// What the console panel asks of the window that owns it (the main window).
class IConsoleOwner {
public:
    virtual ~IConsoleOwner() = default;
    // Opens the recording folder before (`previous` true) or after the open one.
    virtual void step_recording(bool previous) = 0;
};
