#pragma once
// Where a 640 x 480 picture stands in a window: as large as fits with its 4:3 shape kept,
// centred, the rest of the window left as background.
#include "base/Placement.h"

using PictureRect = Placement;

// The target rectangle in a client area of `width` x `height` pixels.
PictureRect letterbox(int width, int height);
