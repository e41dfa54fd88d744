#pragma once
// The picture a windscreen camera would take: sky, hills on the horizon, a two-lane road with
// a dashed centre line and roadside posts passing by with the distance travelled, the road
// bending with the curvature, the horizon dipping when the car brakes, and the recorder's
// stamp (date and time, frame number, speed) drawn over it.
#include <cstdint>
#include <string>
#include <vector>

namespace samplecard {

struct SceneView {
    double distance_m = 0; // how far the car has come: moves the dashes and posts
    double bend = 0;       // 1/m, positive to the right
    double heading = 0;    // radians: moves the hills sideways
    double pitch_g = 0;    // longitudinal G: braking (negative) tilts the view down
    std::string stamp_left;   // top left, e.g. the date and time
    std::string stamp_right;  // top right, e.g. the frame number
    std::string stamp_bottom; // bottom left, e.g. the speed
};

class SceneRenderer {
public:
    // Pictures of `width` × `height`, each held within 16 ... 4096; `seed` shapes the hills and
    // the colours of the day.
    SceneRenderer(int width, int height, uint64_t seed);

    static constexpr int min_size = 16;
    static constexpr int max_size = 4096;

    // The picture as 24-bit RGB, top row first; valid until the next call.
    const std::vector<uint8_t>& render(const SceneView& view);

    int width() const { return width_; }
    int height() const { return height_; }

private:
    void draw_sky(int horizon, double heading);
    void draw_ground(int horizon, const SceneView& view);
    void draw_posts(int horizon, const SceneView& view);
    void draw_stamp(const SceneView& view);
    void fill_span(int row, int from, int to, const uint8_t colour[3]);
    double focal() const { return width_ * 0.8; }
    double road_centre(double depth, double bend) const;

    int width_;
    int height_;
    std::vector<uint8_t> rgb_;
    double hill_phase_[3];
    uint8_t sky_top_[3];
    uint8_t sky_low_[3];
};

} // namespace samplecard
