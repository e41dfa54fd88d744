#include "LoaderLatency.h"

#include <windows.h>

#include <mmsystem.h>

#include <algorithm>
#include <stdexcept>

#include "BenchWindow.h"
#include "playback/ImageLoader.h"
#include "support/ReportTable.h"
#include "support/Timing.h"
#include "image/Image.h"

namespace {

constexpr double frame_period = 1.0 / 30;
constexpr double delivery_limit = 1.0; // seconds; a request not delivered by then counts as lost

struct Latencies {
    std::vector<double> latency;
    int refused = 0; // requests refused because the lock was held; asked again 1 ms later
    int lost = 0;    // requests accepted but never delivered
};

// Waits for the picture of `index`; a late picture of an earlier request is passed over.
bool wait_for(BenchWindow& window, int index, double deadline, BenchWindow::Delivery& delivery)
{
    for (double left = deadline - seconds_now(); left > 0; left = deadline - seconds_now()) {
        if (!window.wait_for_delivery(delivery, static_cast<DWORD>(left * 1000) + 1)) {
            return false;
        }
        if (delivery.index == index) {
            if (!delivery.with_picture) {
                throw std::runtime_error("frame " + std::to_string(index) + " of the event did not decode");
            }
            return true;
        }
    }
    return false;
}

// Requests frames one at a time; each waits for the one before to arrive. Paced requests come
// one frame period apart, as the player's ticks ask for them; the others come at once.
Latencies measure(ImageLoader& loader, BenchWindow& window, int frame_count, int requests, bool paced)
{
    Latencies result;
    double next = seconds_now();
    for (int i = 0; i < requests; ++i) {
        const int index = (i * 7) % frame_count;
        double asked = seconds_now();
        while (!loader.request(index)) {
            ++result.refused;
            window.pump_until(seconds_now() + 0.001);
            asked = seconds_now();
        }
        BenchWindow::Delivery delivery;
        if (wait_for(window, index, asked + delivery_limit, delivery)) {
            result.latency.push_back(delivery.arrival - asked);
        } else {
            ++result.lost;
        }
        if (paced) {
            next = std::max(next + frame_period, seconds_now());
            window.pump_until(next);
        }
    }
    return result;
}

std::vector<double> decode_times(VideoArchive& archive, int requests)
{
    std::vector<double> times;
    for (int i = 0; i < requests; ++i) {
        times.push_back(time_once([&] { archive.frame_picture((i * 7) % archive.frame_count()); }));
    }
    return times;
}

void print_latencies(const std::string& label, const Latencies& latencies)
{
    print_times(label, summarise(latencies.latency));
    print_note("  " + std::to_string(latencies.refused) + " refused at first (lock held), " +
               std::to_string(latencies.lost) + " accepted but never delivered");
}

} // namespace

void bench_loader_latency(const BenchInputs& inputs, int requests)
{
    TIMECAPS caps{};
    const UINT resolution = timeGetDevCaps(&caps, sizeof caps) == TIMERR_NOERROR ? std::max(caps.wPeriodMin, 1u) : 1;
    timeBeginPeriod(resolution);
    BenchWindow window(200, 150);
    ImageLoader loader(window.get());
    loader.open_event(inputs.event);
    const int frame_count = loader.archive().frame_count();
    measure(loader, window, frame_count, 10, false); // warm-up
    const Latencies paced = measure(loader, window, frame_count, requests, true);
    const Latencies burst = measure(loader, window, frame_count, requests, false);
    loader.close_archive();
    timeEndPeriod(resolution);

    VideoArchive archive;
    archive.load_event(inputs.event);
    const Summary decode = summarise(decode_times(archive, requests));

    print_heading("Loader: request accepted -> WM_USER+100 at the owner's message loop");
    print_latencies("one request every 33.3 ms", paced);
    print_latencies("requests back to back", burst);
    print_times("frame_picture of the same frames, here", decode);
}
