#pragma once
// A chart's curve as few vertices as draw the same pixels: a long recording puts thousands of
// frames on one pixel column or one spot of the circle, and a wide pen is slow per vertex.
#include "panels/ChartPoint.h"

#include <vector>

// Drops a point equal to the one before it, and a point in the middle of a straight vertical or
// horizontal run that goes one way (the run's ends draw the same line).
std::vector<ChartPoint> without_redundant_points(const std::vector<ChartPoint>& points);
