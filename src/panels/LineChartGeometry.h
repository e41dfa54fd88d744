#pragma once
// Where the line chart puts things. Its static content is drawn into a cached bitmap that the
// window shows at (20, 7); every position here is in that bitmap's coordinates, except the
// current-frame line, which is drawn straight onto the window.
#include "panels/ChartPoint.h"
#include "panels/ChartScales.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class IVideoInfo;

struct PlotRect {
    int x0 = 0; // left
    int y0 = 0; // top
    int x1 = 0; // right
    int y1 = 0; // bottom
};

class LineChartGeometry {
public:
    using TextWidth = std::function<int(const std::string&)>;

    static constexpr int cache_x = 20; // the cached bitmap's place in the window
    static constexpr int cache_y = 7;

    // The plot inside the cache, fixed by the chart font: `g_label` the size of "+0.00",
    // `speed_label_width` the width of "999".
    static PlotRect plot_rect(int client_width, int client_height, int g_label_width, int g_label_height,
                              int speed_label_width);
    // The cached bitmap's size for a client area.
    static int cache_width(int client_width) { return client_width - 45; }
    static int cache_height(int client_height) { return client_height - 18; }

    LineChartGeometry(PlotRect plot, int frame_count, int frames_per_second);

    const PlotRect& plot() const { return plot_; }

    // The five horizontal grid lines from the top, with the G label ("%+4.2lf") and the
    // speed label ("%3d") each carries.
    struct ScaleRow {
        int y;
        std::string g_label;
        std::string speed_label;
    };
    std::vector<ScaleRow> scale_rows(const ChartScales& scales) const;

    // One vertical line per second of the recording, 0 s included; the labels ("%d" seconds)
    // are thinned to every label_step() seconds and never touch their left neighbour.
    struct SecondLine {
        int x;
        bool labelled;
        std::string label;
    };
    std::vector<SecondLine> second_lines(const TextWidth& width) const;
    // Labels every k seconds, k the least that leaves two pixels beside a label of
    // `label_width` (the width of the last second's label).
    int label_step(int label_width) const;

    // The x of frame `index` on the curves and the detection line.
    int frame_x(int index) const;
    // The x of the current-frame line in window coordinates.
    int position_x(int frame) const;
    int position_top() const { return plot_.y0 + cache_y; }
    int position_bottom() const { return plot_.y1 + cache_y - 1; }

    // The detection line's x; nothing when the recording has no detection kind, no frames or
    // no record on the detection frame.
    std::optional<int> detection_x(const IVideoInfo& info) const;
    // Whether the detection time, centred on `x`, keeps clear of the start and end times at
    // the top (`time_width` the width of "00:00:00").
    bool detection_time_fits(int x, int time_width) const;

    int g_y(double g, const ChartScales& scales) const;
    int speed_y(int speed, const ChartScales& scales) const;

    // The G and speed curves through every frame with a record; both start at the left edge.
    struct Curves {
        std::vector<ChartPoint> g;
        std::vector<ChartPoint> speed;
    };
    Curves curves(const IVideoInfo& info, const ChartScales& scales) const;

private:
    int width() const { return plot_.x1 - plot_.x0; }
    int height() const { return plot_.y1 - plot_.y0; }

    PlotRect plot_;
    int frames_;
    int fps_;
};
