// Plays a 30 s event recording and a 2-minute continuous recording in the real player and
// prints how well the pictures keep up: frames shown against frames due, how far the shown
// picture lags behind the clock, the processor time used per second of playback and the peak
// memory. Figures only: nothing here passes or fails.
#include "support/QuietPlayerOwner.h"
#include "playback/WaveAudioPlayer.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "recording/IVideoInfo.h"
#include "samplecard/CardWriter.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <vector>

namespace {

class Owner : public QuietPlayerOwner {
public:
    VideoPlayer* player = nullptr;
    std::set<int> shown;           // frames (over all chapters) whose picture was on screen at some update
    std::vector<double> lag_frames; // frame due by the sound clock minus the shown frame, per update
    int updates = 0;

    void position_update() override
    {
        ++updates;
        if (player == nullptr || player->state() != VideoPlayer::playing || player->shown_frame() < 0) {
            return;
        }
        shown.insert(player->chapter() * VideoPlayer::chapter_frames + player->shown_frame());
        // The frame the sound clock says is due now (the player's own frame is the one it asked
        // for last, one ahead of the clock).
        const double due = player->sound().state() == ISoundPlayer::playing
                               ? player->sound().position() / player->frame_period()
                               : player->frame();
        lag_frames.push_back(due - player->shown_frame());
    }
};

double cpu_seconds()
{
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

size_t peak_memory_mb()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / (1024 * 1024);
}

void pump_until_stopped(VideoPlayer& player, DWORD limit_ms)
{
    const DWORD start = timeGetTime();
    MSG message;
    bool started = false;
    while (timeGetTime() - start < limit_ms) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        started = started || player.state() == VideoPlayer::playing;
        if (started && player.state() == VideoPlayer::stopped && (player.chapter() + 1 >= player.chapter_count())) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void report(const char* name, const Owner& owner, int frames_due, double seconds, double cpu)
{
    std::vector<double> lag = owner.lag_frames;
    std::sort(lag.begin(), lag.end());
    const double period = current_data_type() == data_type_continuous ? 100.0 : 1000.0 / 30;
    double mean = 0;
    for (double value : lag) {
        mean += value;
    }
    mean = lag.empty() ? 0 : mean / static_cast<double>(lag.size());
    std::printf("%-22s shown %5zu of %5d frames (%5.1f%%)  lag mean %6.1f ms, worst %6.1f ms  "
                "cpu %5.1f%% of a core  wall %6.1f s  peak %zu MB\n",
                name, owner.shown.size(), frames_due, 100.0 * static_cast<double>(owner.shown.size()) / frames_due,
                mean * period, lag.empty() ? 0.0 : lag.back() * period, 100.0 * cpu / seconds, seconds,
                peak_memory_mb());
}

void play(const char* name, HWND host, const std::wstring& folder, int kind)
{
    Owner owner;
    auto* player = new VideoPlayer(host, owner);
    owner.player = player;
    set_current_data_type(kind);
    player->set_opened_kind(kind);
    int frames_due = 0;
    if (kind == data_type_continuous) {
        frames_due = player->load_chapters(folder);
        player->open_chapter(0);
    } else {
        player->open(folder);
        frames_due = player->info()->frame_count();
    }
    const DWORD start = timeGetTime();
    const double cpu_start = cpu_seconds();
    player->play(0);
    pump_until_stopped(*player, 200000);
    const double seconds = (timeGetTime() - start) / 1000.0;
    report(name, owner, frames_due, seconds, cpu_seconds() - cpu_start);
    DestroyWindow(player->handle());
}

} // namespace

int main()
{
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "tarvo-bench-playback";
    std::filesystem::remove_all(root);
    const std::wstring event = (root / "EVENT").wstring();
    const std::wstring continuous = (root / "CONT").wstring();
    std::printf("writing the recordings...\n");
    samplecard::write_event_folder(event, samplecard::EventOptions{});
    samplecard::ContinuousOptions chapters;
    chapters.chapters = 2;
    samplecard::write_continuous_folder(continuous, chapters);

    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 660, 500, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    play("event 30 s", host, event, data_type_event);
    play("continuous 2 min", host, continuous, data_type_continuous);
    DestroyWindow(host);
    std::filesystem::remove_all(root);
    return 0;
}
