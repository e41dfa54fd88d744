// Opens a folder of 600 pictures in the thumbnail strip and prints how long it takes until the
// last thumbnail has been added, beside the bare decoding of the same pictures (the floor the
// strip cannot beat), and how responsive the user interface stays meanwhile: the longest time
// one message took to handle, and the longest wait of a message posted to the window thread
// every 5 ms, beside one frame period (33 ms). Figures only: nothing here passes or fails.
#include "panels/IThumbnailOwner.h"
#include "panels/Thumbnail.h"
#include "recording/VideoArchive.h"
#include "image/Image.h"
#include "samplecard/CardWriter.h"
#include "support/BenchOptions.h"
#include "support/ReportTable.h"
#include "support/Timing.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace {

constexpr int picture_count = 600;
constexpr UINT probe_message = WM_APP + 7;
constexpr double frame_period = 1.0 / 30;

class Owner : public IThumbnailOwner {
public:
    void show_picture(int) override { ++shown; }
    void thumbnail_folder_gone() override {}
    int shown = 0;
};

struct Responsiveness {
    double longest_handling = 0; // seconds inside one DispatchMessage
    double longest_wait = 0;     // seconds from posting a probe to handling it
};

// A plain top-level window for the strip, the size of the viewer's bottom strip.
HWND make_host()
{
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"ThumbnailBenchHost";
    RegisterClassW(&window_class);
    return CreateWindowExW(0, window_class.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, 860, 90, nullptr, nullptr,
                           window_class.hInstance, nullptr);
}

// One opening of the folder until the last thumbnail is there; returns its seconds.
double load_once(HWND host, const std::wstring& folder, Responsiveness& seen)
{
    Owner owner;
    auto* strip = new Thumbnail(host, owner);
    MoveWindow(strip->handle(), 0, 0, 860, 90, TRUE);
    std::atomic<bool> probing{true};
    const double origin = seconds_now();
    const DWORD ui_thread = GetCurrentThreadId();
    std::thread prober([&] {
        while (probing) {
            // The probe carries its posting time in microseconds.
            PostThreadMessageW(ui_thread, probe_message, 0, static_cast<LPARAM>((seconds_now() - origin) * 1e6));
            Sleep(5);
        }
    });
    const double start = seconds_now();
    strip->open(folder);
    MSG message;
    while (!strip->finished()) {
        if (!GetMessageW(&message, nullptr, 0, 0)) {
            break;
        }
        const double handling = seconds_now();
        if (message.message == probe_message && message.hwnd == nullptr) {
            seen.longest_wait = std::max(seen.longest_wait, handling - origin - static_cast<double>(message.lParam) / 1e6);
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
        seen.longest_handling = std::max(seen.longest_handling, seconds_now() - handling);

    }
    const double seconds = seconds_now() - start;
    probing = false;
    prober.join();
    if (strip->added() != picture_count || owner.shown != 1) {
        std::fprintf(stderr, "the strip added %d of %d thumbnails\n", strip->added(), picture_count);
    }
    DestroyWindow(strip->handle());
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
    return seconds;
}

// The floor: every picture read and decoded once, on this thread, without any window.
double decode_all(const std::wstring& folder)
{
    VideoArchive archive;
    archive.load_images(folder);
    int decoded = 0;
    for (int i = 0; i < archive.frame_count(); ++i) {
        archive.open_picture_file(i);
        decoded += archive.frame_picture(i) != nullptr ? 1 : 0;
    }
    return decoded;
}

int run(const BenchOptions& options, const std::wstring& data)
{
    const std::wstring folder = data + L"\\thumbnails-600";
    if (!std::filesystem::exists(std::filesystem::path(folder) / L"1-600.dpc")) {
        samplecard::write_image_folder(folder, 7, picture_count, samplecard::PictureFormat{});
    }
    if (options.write_only) {
        return 0;
    }
    HWND host = make_host();
    Responsiveness seen;
    const PairedTimes times = time_pairs(
        runs_or(options, 3), [&] { load_once(host, folder, seen); }, [&] { decode_all(folder); });
    print_heading("thumbnail strip, 600 pictures of 640x480");
    print_times("open to last thumbnail", summarise(times.measured));
    print_times("floor: decode the 600 pictures", summarise(times.floor));
    print_ratio("strip / floor", summarise(times.ratios()));
    print_figure("per picture (median)", format_duration(summarise(times.measured).median / picture_count));
    print_heading("responsiveness while loading (worst of all runs)", false);
    print_figure("longest message handling", format_duration(seen.longest_handling));
    print_figure("longest wait of a posted message", format_duration(seen.longest_wait));
    print_figure("longest wait / frame period", format_ratio(seen.longest_wait / frame_period));
    DestroyWindow(host);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return bench_main(argc, argv, "bench-thumbnails", "bench-thumbnails [--data DIR] [--runs N] [--write-inputs]", run);
}
