#pragma once
// Where the main window's children and background pieces go for a client size and a display
// mode: plain numbers, so the window only applies them and the panels are placed in one spot.
#include "base/Placement.h"

#include <vector>

// The background: the right column's top piece, tiles and bottom piece, and the stretched left
// edge, in drawing order (bottom piece first).
struct BackgroundPieces {
    Placement column_bottom;
    Placement column_top;
    std::vector<Placement> column_tiles; // the last one cut to the height that remains
    // Under the well, down to the stopwatch: the column's plain face (empty but in a window
    // taller than at the start, whose speed meter stays as it was).
    Placement column_face;
    Placement left_edge;
};

class MainLayout {
public:
    // The main window's outer rectangle at start, on a full screen of this size: a little larger
    // on major version 6, centred, never above the top.
    static Placement start_window(int os_major_version, int screen_width, int screen_height);
    // The smallest outer size the user can drag the window to, given its start height.
    static constexpr int min_window_width = 800;

    // `data_type` is the current recording kind (event, image or continuous). Sizes that would
    // come out negative in a very small window are 0.
    MainLayout(int client_width, int client_height, int data_type);

    // Which panels take part in the present mode: the line chart or the thumbnail strip, never
    // both; the console panel and the circle chart stay shown but are disabled in image mode.
    bool line_chart_enabled() const { return !image_mode_; }
    bool thumbnails_enabled() const { return image_mode_; }
    bool console_enabled() const { return !image_mode_; }
    bool circle_chart_enabled() const { return !image_mode_; }
    // The config and console panels offer the sound controls except for pictures.
    bool sound_controls() const { return !image_mode_; }

    // The bottom strip: the line chart or the thumbnail strip, whichever the mode shows.
    Placement bottom_strip() const;
    Placement console() const;
    Placement info_panel() const;
    Placement speed_meter() const;
    Placement stopwatch() const;
    Placement circle_chart() const;
    Placement config_panel() const;
    Placement player() const;
    // The start-up animation, centred in the player window (its parent).
    Placement animation() const;

    // The background pieces for images of these heights (top piece, tile, bottom piece).
    BackgroundPieces background(int top_height, int tile_height, int bottom_height) const;

    static constexpr int column_width = 209;
    static constexpr int left_edge_width = 21;
    static constexpr int strip_height = 90;
    static constexpr int console_height = 65;
    static constexpr int animation_width = 227;
    static constexpr int animation_height = 51;
    // The speed meter's height in the start window's client area (725 high less its caption, menu
    // and edges: 675 under Wine); no system's start window makes it taller.
    static constexpr int speed_meter_max_height = 41;
    // The well's bottom piece shows this far below the speed meter.
    static constexpr int well_below_meter = 7;

private:
    int width_;
    int height_;
    bool image_mode_;
    int strip_top_; // the top of the bottom strip: everything else stands on it
};
