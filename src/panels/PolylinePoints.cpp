#include "panels/PolylinePoints.h"

namespace {

// Whether `middle` lies on the straight axis-parallel segment from `a` to `b`.
bool between(const ChartPoint& a, const ChartPoint& middle, const ChartPoint& b)
{
    if (a.x == middle.x && middle.x == b.x) {
        return (a.y <= middle.y && middle.y <= b.y) || (a.y >= middle.y && middle.y >= b.y);
    }
    if (a.y == middle.y && middle.y == b.y) {
        return (a.x <= middle.x && middle.x <= b.x) || (a.x >= middle.x && middle.x >= b.x);
    }
    return false;
}

} // namespace

std::vector<ChartPoint> without_redundant_points(const std::vector<ChartPoint>& points)
{
    std::vector<ChartPoint> kept;
    kept.reserve(points.size());
    for (const ChartPoint& p : points) {
        if (!kept.empty() && kept.back() == p) {
            continue;
        }
        if (kept.size() >= 2 && between(kept[kept.size() - 2], kept.back(), p)) {
            kept.back() = p; // the run goes on: its end moves
            continue;
        }
        kept.push_back(p);
    }
    return kept;
}
