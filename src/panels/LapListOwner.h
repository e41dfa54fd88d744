#pragma once
// What the lap list tells the stopwatch that opened it.
class LapListOwner {
public:
    virtual ~LapListOwner() = default;
    // The list's window has been closed (its button or Esc) and is being destroyed.
    virtual void lap_list_closed() = 0;
};
