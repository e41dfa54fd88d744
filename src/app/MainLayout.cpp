#include "app/MainLayout.h"

#include "recording/DataType.h"

#include <algorithm>

namespace {

Placement place(int x, int y, int width, int height)
{
    return Placement{x, y, std::max(width, 0), std::max(height, 0)};
}

} // namespace

Placement MainLayout::start_window(int os_major_version, int screen_width, int screen_height)
{
    const bool version_6 = os_major_version == 6;
    const int width = version_6 ? 890 : 882;
    const int height = version_6 ? 725 : 721;
    // Centred as if 882 wide, and 8 pixels further left on version 6.
    const int x = (screen_width - 882 - (version_6 ? 8 : 0)) / 2;
    return Placement{x, std::max((screen_height - height) / 2, 0), width, height};
}

MainLayout::MainLayout(int client_width, int client_height, int data_type)
    : width_(client_width), height_(client_height), image_mode_(data_type == data_type_image)
{
    // Each enabled strip takes 90 pixels off the bottom; the mode enables exactly one of them.
    strip_top_ = height_;
    if (line_chart_enabled()) {
        strip_top_ -= strip_height;
    }
    if (thumbnails_enabled()) {
        strip_top_ -= strip_height;
    }
}

Placement MainLayout::bottom_strip() const { return place(0, strip_top_, width_, strip_height); }

Placement MainLayout::console() const
{
    return place(0, strip_top_ - console_height, width_, console_height);
}

Placement MainLayout::info_panel() const { return place(width_ - column_width, 0, column_width, 125); }

Placement MainLayout::speed_meter() const
{
    // No taller than at the start size: a taller window leaves the column's tiles under it
    // rather than a hatched block hundreds of pixels high around one number.
    return place(width_ - 195, 128, 179, std::min(strip_top_ - 544, speed_meter_max_height));
}

Placement MainLayout::stopwatch() const
{
    return place(width_ - column_width, strip_top_ - 409, column_width, 89);
}

Placement MainLayout::circle_chart() const
{
    return place(width_ - column_width, strip_top_ - 320, column_width, 165);
}

Placement MainLayout::config_panel() const
{
    return place(width_ - column_width, strip_top_ - 155, column_width, 90);
}

Placement MainLayout::player() const
{
    return place(left_edge_width, 0, width_ - column_width - left_edge_width, strip_top_ - console_height);
}

Placement MainLayout::animation() const
{
    // Centred in the player's width (client less the column and the left edge) and height.
    return place((width_ - column_width - left_edge_width - animation_width) / 2,
                 (strip_top_ - console_height - animation_height) / 2, animation_width, animation_height);
}

BackgroundPieces MainLayout::background(int top_height, int tile_height, int bottom_height) const
{
    BackgroundPieces pieces;
    const int x = width_ - column_width;
    // The dark well around the speed meter ends under it, so it stays the meter's frame.
    const Placement meter = speed_meter();
    const int bottom = std::min(height_ - bottom_height - 499, meter.y + meter.height + well_below_meter - bottom_height);
    pieces.column_bottom = place(x, bottom, column_width, bottom_height);
    pieces.column_top = place(x, 121, column_width, top_height);
    if (tile_height > 0) {
        for (int top = 121 + top_height; top < bottom; top += tile_height) {
            pieces.column_tiles.push_back(place(x, top, column_width, std::min(tile_height, bottom - top)));
        }
    }
    const int face_top = bottom + bottom_height;
    pieces.column_face = place(x, face_top, column_width, stopwatch().y - face_top);
    pieces.left_edge = place(0, 0, left_edge_width, height_ - 155);
    return pieces;
}
