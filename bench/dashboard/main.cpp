// bench-dashboard: the charts' repaint with their cached content, beside a bare copy of the same
// pixels, and the building of the cache for a 60-chapter continuous recording (36 000 frames)
// and for one chapter, beside the frame period. Prints figures; never fails on time.
#include "panels/CircleChart.h"
#include "panels/IDashboardSource.h"
#include "panels/LineChart.h"
#include "panels/RecordedInfo.h"
#include "recording/DataType.h"
#include "support/ReportTable.h"
#include "support/Timing.h"
#include "ui/GdiHandles.h"

#include <windows.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr double frame_period = 0.1; // continuous recordings run at 10 frames a second

// A drive of `frames` frames: the G vector turning, the speed rising and falling.
class BenchSource : public IDashboardSource {
public:
    explicit BenchSource(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            FrameRecord record;
            const double t = i / 10.0;
            record.g1 = 0.6 * std::sin(t / 7.0);
            record.g2 = 0.4 * std::cos(t / 3.0);
            record.g_magnitude = std::sqrt(record.g1 * record.g1 + record.g2 * record.g2);
            record.speed = static_cast<int>(60 + 50 * std::sin(t / 90.0));
            info_.frames.push_back(record);
        }
        info_.kind = 0;
    }
    const IVideoInfo* info() const override { return &info_; }
    int frame() const override { return current; }
    int data_type() const override { return data_type_continuous; }
    int64_t detection_time() const override { return 0; }
    bool archive_flag() const override { return false; }

    int current = 0;

private:
    RecordedInfo info_;
};

LRESULT CALLBACK plain_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND make_host()
{
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = plain_procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"BenchDashboard";
    RegisterClassW(&window_class);
    return CreateWindowExW(0, L"BenchDashboard", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 900, 400,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

// A bare copy of `width` x `height` pixels from a memory bitmap onto the window: what a repaint
// cannot do without.
class BareCopy {
public:
    BareCopy(HWND window, int width, int height) : window_(window), width_(width), height_(height)
    {
        WindowDc screen(window);
        memory_ = CreateCompatibleDC(screen.get());
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
        previous_ = SelectObject(memory_, bitmap_.get());
    }
    ~BareCopy()
    {
        SelectObject(memory_, previous_);
        DeleteDC(memory_);
    }
    void operator()() const
    {
        WindowDc screen(window_);
        BitBlt(screen.get(), 0, 0, width_, height_, memory_, 0, 0, SRCCOPY);
        GdiFlush();
    }

private:
    HWND window_;
    int width_;
    int height_;
    HDC memory_ = nullptr;
    GdiObject<HBITMAP> bitmap_;
    HGDIOBJ previous_ = nullptr;
};

void bench_repaint(const std::string& name, ChartWindow& chart, BenchSource& source, int cache_width,
                   int cache_height, int runs)
{
    chart.drop_cache();
    chart.redraw(); // builds the cache
    const BareCopy bare(chart.handle(), cache_width, cache_height);
    int frame = 0;
    const PairedTimes times = time_pairs(
        runs,
        [&] {
            source.current = frame;
            frame = (frame + 97) % source.info()->frame_count();
            chart.redraw();
            GdiFlush();
        },
        bare);
    print_times(name + ", repaint with the cache", summarise(times.measured));
    print_times(name + ", bare copy of the cache", summarise(times.floor));
    print_ratio(name + ", ratio to the bare copy", summarise(times.ratios()));
}

void bench_cache(const std::string& name, ChartWindow& chart, int runs)
{
    std::vector<double> builds;
    std::vector<double> ratios;
    for (int i = -1; i < runs; ++i) {
        chart.drop_cache();
        const double seconds = time_once([&] {
            chart.redraw();
            GdiFlush();
        });
        if (i >= 0) {
            builds.push_back(seconds);
            ratios.push_back(seconds / frame_period);
        }
        pump();
    }
    print_times(name + ", cache built", summarise(builds));
    print_ratio(name + ", ratio to one frame period", summarise(ratios));
}

} // namespace

int main()
{
    const HWND host = make_host();
    print_heading("Charts of a 60-chapter continuous recording (36 000 frames), 10 frames a second");
    for (int frames : {36000, 600}) {
        BenchSource source(frames);
        auto* line = new LineChart(host, source);
        MoveWindow(line->handle(), 0, 0, 825, 90, TRUE);
        auto* circle = new CircleChart(host, source);
        MoveWindow(circle->handle(), 0, 100, 209, 165, TRUE);
        pump();
        const std::string size = frames == 36000 ? "36 000 frames" : "one chapter (600)";
        if (frames == 36000) {
            bench_repaint("line chart 825x90", *line, source, 825 - 45, 90 - 18, 300);
            bench_repaint("circle chart 209x165", *circle, source, 209 - 29, 165 - 14, 300);
        }
        bench_cache("line chart, " + size, *line, 21);
        bench_cache("circle chart, " + size, *circle, 21);
        DestroyWindow(line->handle());
        DestroyWindow(circle->handle());
    }
    print_note("a repaint must stay well under 1 ms; the frame period is 100 ms at 10 frames a second");
    DestroyWindow(host);
    return 0;
}
