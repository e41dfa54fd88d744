#include "panels/LineChartGeometry.h"

#include "recording/IVideoInfo.h"

#include <cstdio>

PlotRect LineChartGeometry::plot_rect(int client_width, int client_height, int g_label_width, int g_label_height,
                                      int speed_label_width)
{
    return {g_label_width + 10, 13, client_width - speed_label_width - 55, client_height - g_label_height - 23};
}

LineChartGeometry::LineChartGeometry(PlotRect plot, int frame_count, int frames_per_second)
    : plot_(plot), frames_(frame_count), fps_(frames_per_second)
{
}

std::vector<LineChartGeometry::ScaleRow> LineChartGeometry::scale_rows(const ChartScales& scales) const
{
    std::vector<ScaleRow> rows;
    for (int i = 0; i <= 4; ++i) {
        char g[32];
        char speed[32];
        std::snprintf(g, sizeof g, "%+4.2lf", scales.g_max - i * (scales.g_max - scales.g_min) / 4);
        std::snprintf(speed, sizeof speed, "%3d", (4 * scales.v_max - i * scales.v_max) / 4);
        rows.push_back({plot_.y0 + i * height() / 4, g, speed});
    }
    return rows;
}

int LineChartGeometry::label_step(int label_width) const
{
    const int wanted = label_width + 2;
    if (frames_ <= 0 || width() <= 0) {
        return 1;
    }
    const long long per_second = static_cast<long long>(fps_) * width() / frames_;
    if (per_second >= wanted) {
        return 1;
    }
    if (per_second > 0) {
        return static_cast<int>((wanted + per_second - 1) / per_second);
    }
    // Less than a pixel per second: the step that gives each label its room on average.
    const long long room = static_cast<long long>(wanted) * frames_;
    const long long second_width = static_cast<long long>(fps_) * width();
    return static_cast<int>((room + second_width - 1) / second_width);
}

std::vector<LineChartGeometry::SecondLine> LineChartGeometry::second_lines(const TextWidth& text_width) const
{
    std::vector<SecondLine> lines;
    if (fps_ <= 0) {
        return lines;
    }
    const int step = label_step(text_width(std::to_string(frames_ / fps_)));
    bool any_label = false;
    int previous_right = 0;
    for (int t = 0; t <= frames_; t += fps_) {
        SecondLine line{frames_ == 0 ? plot_.x0 : plot_.x0 + static_cast<int>(static_cast<long long>(t) * width() / frames_),
                        false, std::to_string(t / fps_)};
        if ((t / fps_) % step == 0) {
            const int label_width = text_width(line.label);
            const int left = line.x - label_width / 2;
            if (!any_label || left > previous_right) {
                line.labelled = true;
                any_label = true;
                previous_right = left + label_width;
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

int LineChartGeometry::frame_x(int index) const
{
    if (frames_ <= 1) {
        return plot_.x0;
    }
    return plot_.x0 + static_cast<int>(static_cast<long long>(index) * width() / (frames_ - 1));
}

int LineChartGeometry::position_x(int frame) const
{
    if (frames_ == 1) {
        return cache_x + plot_.x1;
    }
    return cache_x + frame_x(frame);
}

std::optional<int> LineChartGeometry::detection_x(const IVideoInfo& info) const
{
    if (info.detection_record() == nullptr || frames_ <= 0 || info.kind_code() == 0) {
        return std::nullopt;
    }
    return frame_x(info.detection_index());
}

bool LineChartGeometry::detection_time_fits(int x, int time_width) const
{
    return plot_.x0 + time_width + 10 < x - time_width / 2 && x < plot_.x1 - time_width - 10;
}

int LineChartGeometry::g_y(double g, const ChartScales& scales) const
{
    return static_cast<int>(plot_.y0 + (scales.g_max - g) * height() / (scales.g_max - scales.g_min));
}

int LineChartGeometry::speed_y(int speed, const ChartScales& scales) const
{
    return plot_.y0 + (scales.v_max - speed) * height() / scales.v_max;
}

LineChartGeometry::Curves LineChartGeometry::curves(const IVideoInfo& info, const ChartScales& scales) const
{
    Curves curves;
    for (int k = 0; k < frames_; ++k) {
        const FrameRecord* record = info.frame_record(k);
        if (record == nullptr) {
            continue;
        }
        if (curves.g.empty()) { // the curves begin at the left edge, level with their first value
            curves.g.push_back({plot_.x0, g_y(record->g_magnitude, scales)});
            curves.speed.push_back({plot_.x0, speed_y(record->speed, scales)});
        }
        const int x = frame_x(k);
        curves.g.push_back({x, g_y(record->g_magnitude, scales)});
        curves.speed.push_back({x, speed_y(record->speed, scales)});
    }
    return curves;
}
