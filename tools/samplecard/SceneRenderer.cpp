#include "samplecard/SceneRenderer.h"

#include "samplecard/BitmapFont.h"
#include "samplecard/Random.h"

#include <algorithm>
#include <cmath>

namespace samplecard {

namespace {

constexpr double camera_height_m = 1.3;
constexpr double far_m = 250.0; // the ground beyond this blends into the horizon
constexpr double post_spacing_m = 25.0;
constexpr double dash_period_m = 10.0;

// Lateral positions (m from the camera, right positive) of the painted lines: left edge,
// centre, right edge; the car keeps to the left lane.
constexpr double line_edges_m[] = {-1.95, -1.8, 1.7, 1.85, 5.3, 5.45};

uint8_t mix(uint8_t a, uint8_t b, double t) { return static_cast<uint8_t>(a + (b - a) * t + 0.5); }

} // namespace

SceneRenderer::SceneRenderer(int width, int height, uint64_t seed)
    : width_(std::clamp(width, min_size, max_size)), height_(std::clamp(height, min_size, max_size)),
      rgb_(static_cast<size_t>(width_) * height_ * 3)
{
    Random random(seed);
    for (double& phase : hill_phase_) {
        phase = random.between(0.0, 6.283);
    }
    // Morning, noon or evening light.
    const int light = random.between(0, 2);
    static constexpr uint8_t tops[3][3] = {{110, 150, 205}, {70, 125, 210}, {95, 90, 150}};
    static constexpr uint8_t lows[3][3] = {{225, 215, 200}, {180, 205, 235}, {235, 170, 120}};
    std::copy(tops[light], tops[light] + 3, sky_top_);
    std::copy(lows[light], lows[light] + 3, sky_low_);
}

const std::vector<uint8_t>& SceneRenderer::render(const SceneView& view)
{
    const int horizon =
        std::clamp(static_cast<int>(height_ * (0.42 + 0.08 * std::clamp(view.pitch_g, -1.0, 1.0))), 1, height_ - 2);
    draw_sky(horizon, view.heading);
    draw_ground(horizon, view);
    draw_posts(horizon, view);
    draw_stamp(view);
    return rgb_;
}

void SceneRenderer::fill_span(int row, int from, int to, const uint8_t colour[3])
{
    from = std::max(from, 0);
    to = std::min(to, width_);
    if (from >= to) {
        return;
    }
    uint8_t* pixel = rgb_.data() + (static_cast<size_t>(row) * width_ + from) * 3;
    for (int x = from; x < to; ++x, pixel += 3) {
        pixel[0] = colour[0];
        pixel[1] = colour[1];
        pixel[2] = colour[2];
    }
}

void SceneRenderer::draw_sky(int horizon, double heading)
{
    static constexpr uint8_t hill[3] = {72, 98, 84};
    // Hill height per column, sliding sideways as the car turns.
    std::vector<int> hill_top(static_cast<size_t>(width_));
    const double shift = heading * focal();
    for (int x = 0; x < width_; ++x) {
        const double u = (x + shift) / width_;
        const double h = 0.045 + 0.03 * std::sin(u * 5.1 + hill_phase_[0]) + 0.018 * std::sin(u * 13.7 + hill_phase_[1]) +
                         0.008 * std::sin(u * 41.0 + hill_phase_[2]);
        hill_top[static_cast<size_t>(x)] = horizon - static_cast<int>(std::max(h, 0.0) * height_);
    }
    for (int y = 0; y < horizon; ++y) {
        const double t = static_cast<double>(y) / horizon;
        const uint8_t sky[3] = {mix(sky_top_[0], sky_low_[0], t), mix(sky_top_[1], sky_low_[1], t),
                                mix(sky_top_[2], sky_low_[2], t)};
        int x = 0;
        while (x < width_) {
            const bool is_hill = y >= hill_top[static_cast<size_t>(x)];
            int end = x + 1;
            while (end < width_ && (y >= hill_top[static_cast<size_t>(end)]) == is_hill) {
                ++end;
            }
            fill_span(y, x, end, is_hill ? hill : sky);
            x = end;
        }
    }
}

double SceneRenderer::road_centre(double depth, double bend) const
{
    // A bend shifts the road sideways by half the curvature times the depth squared.
    return width_ / 2.0 + 0.5 * bend * depth * focal();
}

void SceneRenderer::draw_ground(int horizon, const SceneView& view)
{
    static constexpr uint8_t grass[2][3] = {{96, 128, 70}, {84, 116, 62}};
    static constexpr uint8_t paint[3] = {235, 235, 228};
    for (int y = horizon; y < height_; ++y) {
        const double depth = std::min(camera_height_m * focal() / (y - horizon + 0.5), far_m);
        const double scale = focal() / depth; // pixels per metre at this depth
        const double centre = road_centre(depth, view.bend);
        const double along = view.distance_m + depth;
        const double haze = depth / far_m;
        const uint8_t asphalt_level = mix(92, 150, haze);
        const uint8_t asphalt[3] = {asphalt_level, asphalt_level, static_cast<uint8_t>(asphalt_level + 4)};
        const uint8_t* verge = grass[static_cast<int>(std::floor(along / 4.0)) & 1];
        const bool dash = std::fmod(along, dash_period_m) < dash_period_m / 2;

        int px[std::size(line_edges_m)];
        for (size_t i = 0; i < std::size(line_edges_m); ++i) {
            px[i] = static_cast<int>(std::lround(centre + line_edges_m[i] * scale));
        }
        const int verge_left = px[0] - static_cast<int>(0.4 * scale);
        const int verge_right = px[5] + static_cast<int>(0.4 * scale);
        fill_span(y, 0, verge_left, verge);
        fill_span(y, verge_left, px[0], asphalt);
        fill_span(y, px[0], std::max(px[1], px[0] + 1), paint);
        fill_span(y, px[1], px[2], asphalt);
        fill_span(y, px[2], std::max(px[3], px[2] + 1), dash ? paint : asphalt);
        fill_span(y, px[3], px[4], asphalt);
        fill_span(y, px[4], std::max(px[5], px[4] + 1), paint);
        fill_span(y, px[5], verge_right, asphalt);
        fill_span(y, verge_right, width_, verge);
    }
}

void SceneRenderer::draw_posts(int horizon, const SceneView& view)
{
    static constexpr uint8_t white[3] = {240, 240, 240};
    static constexpr uint8_t reflector[3] = {230, 120, 20};
    const double first = std::ceil(view.distance_m / post_spacing_m) * post_spacing_m;
    // Far posts first, so near ones cover them.
    for (double at = first + 6 * post_spacing_m; at >= first; at -= post_spacing_m) {
        const double depth = at - view.distance_m;
        if (depth < 1.5) {
            continue;
        }
        const double scale = focal() / depth;
        const int base = horizon + static_cast<int>(camera_height_m * scale);
        const int top = horizon + static_cast<int>((camera_height_m - 1.1) * scale);
        const int half = std::max(1, static_cast<int>(0.07 * scale));
        const double centre = road_centre(depth, view.bend);
        for (const double side : {-2.7, 6.2}) {
            const int x = static_cast<int>(centre + side * scale);
            for (int y = std::max(top, 0); y < std::min(base, height_); ++y) {
                fill_span(y, x - half, x + half, y - top < (base - top) / 5 ? reflector : white);
            }
        }
    }
}

void SceneRenderer::draw_stamp(const SceneView& view)
{
    static constexpr uint8_t yellow[3] = {255, 236, 64};
    const int scale = std::max(1, height_ / 160);
    const int margin = 3 * scale;
    const int right_width = static_cast<int>(view.stamp_right.size()) * BitmapFont::advance * scale;
    BitmapFont::draw(rgb_.data(), width_, height_, margin, margin, scale, view.stamp_left, yellow);
    BitmapFont::draw(rgb_.data(), width_, height_, width_ - margin - right_width, margin, scale, view.stamp_right,
                     yellow);
    BitmapFont::draw(rgb_.data(), width_, height_, margin, height_ - margin - BitmapFont::glyph_height * scale, scale,
                     view.stamp_bottom, yellow);
}

} // namespace samplecard
