#pragma once
// A rectangle where something is placed, in its parent's coordinates: left, top, width, height.

struct Placement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Placement& other) const
    {
        return x == other.x && y == other.y && width == other.width && height == other.height;
    }
};
