#include "DrawCases.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "BenchWindow.h"
#include "playback/GammaCorrection.h"
#include "playback/PictureView.h"
#include "recording/VideoArchive.h"
#include "support/ReportTable.h"
#include "support/Timing.h"
#include "image/Image.h"

namespace {

constexpr int window_width = 800;
constexpr int window_height = 600;
constexpr double bench_gamma = 1.5;

struct FrameTimes {
    std::vector<double> decode;        // frame_picture: read, restore, decode
    std::vector<double> brightness;    // a copy of the picture through the table, as draw makes it
    std::vector<double> draw_drawdib;  // PictureView::draw at gamma 1.5 (copy, table, DrawDibDraw)
    std::vector<double> draw_fallback; // the same with StretchDIBits
    std::vector<double> total_drawdib;
    std::vector<double> total_fallback;
    std::vector<double> drawdib_alone; // PictureView::draw at gamma 1.0: DrawDibDraw of the picture itself

    std::vector<double> ratio(const std::vector<double>& total) const
    {
        std::vector<double> result;
        for (size_t i = 0; i < total.size(); ++i) {
            result.push_back(total[i] / decode[i]);
        }
        return result;
    }
};

// Draws on a fresh device context of the window, as the player's paint gets one (a stretch mode
// set by one drawing must not carry over to the next), and waits until GDI has passed it on.
double time_draw(const PictureView& view, HWND window, const Image& picture, const GammaCorrection& gamma)
{
    HDC dc = GetDC(window);
    const double seconds = time_once([&] {
        view.draw(window, dc, &picture, gamma);
        GdiFlush();
    });
    ReleaseDC(window, dc);
    return seconds;
}

} // namespace

void bench_frame_drawing(const BenchInputs& inputs, int frames)
{
    VideoArchive archive;
    archive.load_event(inputs.event);
    BenchWindow window(window_width, window_height);
    PictureView drawdib;
    PictureView fallback;
    fallback.use_fallback_drawing();
    GammaCorrection gamma;
    gamma.set(bench_gamma);

    FrameTimes times;
    const GammaCorrection identity;
    const int count = archive.frame_count();
    for (int i = -1; i < frames; ++i) {
        const int index = (std::max(i, 0) * 7) % count; // spread over the whole recording
        std::unique_ptr<Image> picture;
        const double decode = time_once([&] { picture = archive.frame_picture(index); });
        if (!picture) {
            throw std::runtime_error("a frame of the event did not decode");
        }
        const double brightness = time_once([&] { gamma.applied(*picture); });
        const double with_drawdib = time_draw(drawdib, window.get(), *picture, gamma);
        const double with_fallback = time_draw(fallback, window.get(), *picture, gamma);
        const double drawdib_alone = time_draw(drawdib, window.get(), *picture, identity);
        if (i < 0) {
            continue; // the first round only warms caches and the drawing paths
        }
        times.decode.push_back(decode);
        times.brightness.push_back(brightness);
        times.draw_drawdib.push_back(with_drawdib);
        times.draw_fallback.push_back(with_fallback);
        times.total_drawdib.push_back(decode + with_drawdib);
        times.total_fallback.push_back(decode + with_fallback);
        times.drawdib_alone.push_back(drawdib_alone);
        window.pump_until(0); // keep the window answering
    }

    print_heading("Per frame, 640x480 into an 800x600 window at gamma 1.5 (" + std::to_string(frames) +
                  " frames of the event)");
    print_times("decode alone (frame_picture)", summarise(times.decode));
    print_times("brightness alone (copy, table)", summarise(times.brightness));
    print_times("draw, DrawDib (copy, table, draw)", summarise(times.draw_drawdib));
    print_times("draw, StretchDIBits HALFTONE", summarise(times.draw_fallback));
    print_times("decode + draw, DrawDib", summarise(times.total_drawdib));
    print_times("decode + draw, StretchDIBits", summarise(times.total_fallback));
    print_ratio("ratio to decode alone, DrawDib", summarise(times.ratio(times.total_drawdib)));
    print_ratio("ratio to decode alone, StretchDIBits", summarise(times.ratio(times.total_fallback)));
    print_note("the frame period is 33.3 ms at 30 frames per second, 100 ms at 10");
    // What the system's drawing alone leaves: no decode and no brightness at all.
    print_times("floor: DrawDibDraw alone (gamma 1.0)", summarise(times.drawdib_alone));
    constexpr double period = 1.0 / 30;
    const auto headroom = [period](const std::vector<double>& costs) {
        std::vector<double> result;
        for (const double cost : costs) {
            result.push_back(period / cost);
        }
        return result;
    };
    print_ratio("headroom at 30 fps, decode + draw", summarise(headroom(times.total_drawdib)));
    print_ratio("headroom at 30 fps, DrawDibDraw alone", summarise(headroom(times.drawdib_alone)));
}
