#include "app/MainLayout.h"

#include "recording/DataType.h"

#include <algorithm>

namespace {

// The window at start: its outer size, wider and taller on major version 6, where it is also
// placed further left.
constexpr int start_width = 882;
constexpr int start_height = 721;
constexpr int start_width_6 = 890;
constexpr int start_height_6 = 725;
constexpr int start_shift_left_6 = 8;

// The right column, from the top: the info panel, the speed meter a little inside the column,
// then, standing on the console (the bottom strip's neighbour), the config panel, the circle
// chart above it and the stopwatch above that.
constexpr int info_panel_height = 125;
constexpr int speed_meter_top = 128;
constexpr int speed_meter_inset = 14;      // from the column's left edge
constexpr int speed_meter_width = 179;
constexpr int speed_meter_gap = 7;         // left free above the stopwatch
constexpr int config_panel_height = 90;
constexpr int circle_chart_height = 165;
constexpr int stopwatch_height = 89;

// The background: the column's top piece starts a little under the info panel's top edge, its
// bottom piece ends this far above the client's bottom, and the left edge stops above the
// console and the bottom strip of the event mode.
constexpr int column_top_piece_y = 121;
constexpr int column_bottom_piece_lift = 499;

Placement place(int x, int y, int width, int height)
{
    return Placement{x, y, std::max(width, 0), std::max(height, 0)};
}

} // namespace

Placement MainLayout::start_window(int os_major_version, int screen_width, int screen_height)
{
    const bool version_6 = os_major_version == 6;
    const int width = version_6 ? start_width_6 : start_width;
    const int height = version_6 ? start_height_6 : start_height;
    // Centred as if of the usual width, and a little further left on version 6.
    const int x = (screen_width - start_width - (version_6 ? start_shift_left_6 : 0)) / 2;
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

Placement MainLayout::info_panel() const { return place(width_ - column_width, 0, column_width, info_panel_height); }

Placement MainLayout::speed_meter() const
{
    const int bottom = strip_top_ - console_height - config_panel_height - circle_chart_height - stopwatch_height -
                       speed_meter_gap;
    // No taller than at the start size: a taller window leaves the column's tiles under it
    // rather than a hatched block hundreds of pixels high around one number.
    return place(width_ - column_width + speed_meter_inset, speed_meter_top, speed_meter_width,
                 std::min(bottom - speed_meter_top, speed_meter_max_height));
}

Placement MainLayout::stopwatch() const
{
    const int top = strip_top_ - console_height - config_panel_height - circle_chart_height - stopwatch_height;
    return place(width_ - column_width, top, column_width, stopwatch_height);
}

Placement MainLayout::circle_chart() const
{
    const int top = strip_top_ - console_height - config_panel_height - circle_chart_height;
    return place(width_ - column_width, top, column_width, circle_chart_height);
}

Placement MainLayout::config_panel() const
{
    return place(width_ - column_width, strip_top_ - console_height - config_panel_height, column_width,
                 config_panel_height);
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
    const int bottom = std::min(height_ - bottom_height - column_bottom_piece_lift,
                                meter.y + meter.height + well_below_meter - bottom_height);
    pieces.column_bottom = place(x, bottom, column_width, bottom_height);
    pieces.column_top = place(x, column_top_piece_y, column_width, top_height);
    if (tile_height > 0) {
        for (int top = column_top_piece_y + top_height; top < bottom; top += tile_height) {
            pieces.column_tiles.push_back(place(x, top, column_width, std::min(tile_height, bottom - top)));
        }
    }
    const int face_top = bottom + bottom_height;
    pieces.column_face = place(x, face_top, column_width, stopwatch().y - face_top);
    pieces.left_edge = place(0, 0, left_edge_width, height_ - console_height - strip_height);
    return pieces;
}
