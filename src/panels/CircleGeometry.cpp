#include "panels/CircleGeometry.h"

#include "recording/FrameRecord.h"

CircleGeometry::CircleGeometry(int client_width, int client_height)
    : plot_width_(client_width - 29), plot_height_(client_height - 14)
{
}

ChartPoint CircleGeometry::around(ChartPoint c, double lateral, double longitudinal, double magnitude)
{
    if (magnitude > 1.0) {
        lateral /= magnitude;
        longitudinal /= magnitude;
    }
    // Truncated toward zero, as a conversion to int does.
    return {static_cast<int>(c.x + lateral * pixels_per_g), static_cast<int>(c.y - longitudinal * pixels_per_g)};
}

ChartPoint CircleGeometry::point(double lateral, double longitudinal, double magnitude) const
{
    return around(centre(), lateral, longitudinal, magnitude);
}

ChartPoint CircleGeometry::point(const FrameRecord& record) const
{
    return point(record.g2, record.g1, record.g_magnitude);
}

ChartPoint CircleGeometry::window_point(const FrameRecord& record) const
{
    const ChartPoint c = centre();
    return around({c.x + plot_x, c.y + plot_y}, record.g2, record.g1, record.g_magnitude);
}
