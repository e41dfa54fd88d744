// Plays a 30 s event recording and a 2-minute continuous recording in the real player and
// prints how well the pictures keep up: frames shown against frames due, how far the shown
// picture lags behind the clock, the processor time used per second of playback and the peak
// memory. Figures only: nothing here passes or fails.
#include "support/QuietPlayerOwner.h"
#include "playback/WaveAudioPlayer.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "recording/IVideoInfo.h"
#include "recording/WaveFile.h"
#include "samplecard/CardWriter.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace {

class Owner : public QuietPlayerOwner {
public:
    VideoPlayer* player = nullptr;
    std::set<int> shown;           // frames (over all chapters) whose picture was on screen at some update
    std::vector<double> lag_frames; // frame due by the sound clock minus the shown frame, per update
    std::vector<double> lag_at_change; // the same in the first second after a chapter change
    std::vector<int> lag_frame;        // the shown frame (over all chapters) of each lag_frames entry
    int updates = 0;
    int last_chapter = 0;
    int after_change = 0;

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
        if (player->chapter() != last_chapter) {
            last_chapter = player->chapter();
            after_change = 10; // a second at 10 frames per second
        }
        (after_change > 0 ? lag_at_change : lag_frames).push_back(due - player->shown_frame());
        if (after_change == 0) {
            lag_frame.push_back(player->chapter() * VideoPlayer::chapter_frames + player->shown_frame());
        }
        after_change = std::max(after_change - 1, 0);
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
        // Woken by every message; the timeout only bounds the wait for the end of playback.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
}

struct LagFigures {
    double mean = 0;
    double worst = 0;
};

LagFigures lag_figures(std::vector<double> lag, double period)
{
    LagFigures figures;
    for (double value : lag) {
        figures.mean += value;
        figures.worst = std::max(figures.worst, value);
    }
    figures.mean = lag.empty() ? 0 : figures.mean / static_cast<double>(lag.size()) * period;
    figures.worst *= period;
    return figures;
}

void report(const char* name, const Owner& owner, int frames_due, double seconds, double cpu)
{
    const double period = current_data_type() == data_type_continuous ? 100.0 : 1000.0 / 30;
    // Frames never shown, apart those within the first second of a chapter.
    int missed_at_change = 0;
    int missed = 0;
    std::string missed_frames;
    for (int frame = 0; frame < frames_due; ++frame) {
        if (owner.shown.count(frame) == 0) {
            const bool at_change = current_data_type() == data_type_continuous && frame >= VideoPlayer::chapter_frames &&
                                   frame % VideoPlayer::chapter_frames < 10;
            (at_change ? missed_at_change : missed) += 1;
            if (!at_change && missed <= 8) {
                missed_frames += " " + std::to_string(frame);
            }
        }
    }
    const LagFigures lag = lag_figures(owner.lag_frames, period);
    std::printf("%-22s shown %5zu of %5d frames (%6.2f%%; goal 99.5%%, missed %d, %d more at chapter changes)\n",
                name, owner.shown.size(), frames_due, 100.0 * static_cast<double>(owner.shown.size()) / frames_due,
                missed, missed_at_change);
    if (missed > 0) {
        std::printf("%-22s missed frame%s%s\n", "", missed_frames.c_str(), missed > 8 ? " ..." : "");
    }
    std::printf("%-22s lag mean %6.1f ms (%.2f of a frame; goal 0.5), worst %6.1f ms (%.2f of a frame; goal 1)\n", "",
                lag.mean, lag.mean / period, lag.worst, lag.worst / period);
    // Where the lag passed one frame: at the start, at the end, or spread over the clip.
    std::string late;
    int late_count = 0;
    for (size_t i = 0; i < owner.lag_frames.size(); ++i) {
        if (owner.lag_frames[i] > 1.0 && ++late_count <= 8) {
            late += " " + std::to_string(owner.lag_frame[i]);
        }
    }
    std::printf("%-22s lag over one frame at %d updates, shown frame%s%s\n", "", late_count, late.c_str(),
                late_count > 8 ? " ..." : "");
    if (!owner.lag_at_change.empty()) {
        const LagFigures change = lag_figures(owner.lag_at_change, period);
        std::printf("%-22s lag at chapter changes mean %6.1f ms, worst %6.1f ms\n", "", change.mean, change.worst);
    }
    std::printf("%-22s cpu %5.1f%% of a core (goal 5%%)  wall %6.1f s  peak %zu MB\n", "", 100.0 * cpu / seconds,
                seconds, peak_memory_mb());
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

// Dispatches messages until the player holds a picture; false after `limit_ms`.
bool pump_until_picture(const VideoPlayer& player, DWORD limit_ms)
{
    const DWORD start = timeGetTime();
    MSG message;
    while (player.picture() == nullptr && timeGetTime() - start < limit_ms) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (player.picture() == nullptr) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        }
    }
    return player.picture() != nullptr;
}

// From the open command (as the main window gives it) to the first picture in the player, the
// median of `runs` openings.
void open_to_first_picture(const char* name, HWND host, const std::wstring& folder, int kind, double goal_ms)
{
    Owner owner;
    auto* player = new VideoPlayer(host, owner);
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        player->close();
        set_current_data_type(kind);
        player->set_opened_kind(kind);
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        if (kind == data_type_continuous) {
            player->load_chapters(folder);
            player->open_chapter(0);
        } else {
            player->open(folder);
        }
        const bool shown = pump_until_picture(*player, 10000);
        QueryPerformanceCounter(&end);
        if (shown) {
            times.push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                            static_cast<double>(frequency.QuadPart));
        }
    }
    DestroyWindow(player->handle());
    std::sort(times.begin(), times.end());
    if (times.empty()) {
        std::printf("%-34s no picture arrived\n", name);
        return;
    }
    const double median = times[times.size() / 2];
    std::printf("%-34s median %7.1f ms (min %.1f, max %.1f)  goal %.0f ms: %.2fx of it\n", name, median,
                times.front(), times.back(), goal_ms, median / goal_ms);
}

// A player with nothing open, its worker waiting: the processor time it takes per second.
void idle_cpu(HWND host)
{
    Owner owner;
    auto* player = new VideoPlayer(host, owner);
    const double cpu_start = cpu_seconds();
    const DWORD start = timeGetTime();
    MSG message;
    while (timeGetTime() - start < 3000) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    const double seconds = (timeGetTime() - start) / 1000.0;
    std::printf("%-34s cpu %5.2f%% of a core (floor 0)\n", "idle, nothing open", 100.0 * (cpu_seconds() - cpu_start) / seconds);
    DestroyWindow(player->handle());
}

// The sound alone, through the same player and device: the share of the processor time that
// the system's sound path takes whatever the pictures do.
void sound_only_cpu(HWND host, const std::wstring& path)
{
    constexpr int seconds = 10;
    {
        WaveFile wave(path);
        std::vector<uint8_t> samples(static_cast<size_t>(WaveFile::sample_rate) * seconds);
        for (size_t i = 0; i < samples.size(); ++i) {
            samples[i] = static_cast<uint8_t>(WaveFile::silence + ((i / 25) % 2 == 0 ? 20 : -20));
        }
        wave.append(samples.data(), samples.size());
        wave.finish();
    }
    WaveAudioPlayer sound(host);
    sound.open(path);
    const double cpu_start = cpu_seconds();
    DWORD start = timeGetTime();
    sound.play(0);
    const DWORD returned = timeGetTime();
    // Where the sound clock stands in the first moments: the pictures follow it from the start.
    std::string early;
    for (int i = 0; i < 8; ++i) {
        early += " " + std::to_string(timeGetTime() - start) + ":" + std::to_string(sound.position());
        Sleep(10);
    }
    std::printf("%-34s play took %lu ms; ms after play:position%s\n", "sound start", returned - start, early.c_str());
    MSG message;
    while (timeGetTime() - start < seconds * 1000) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
    const double elapsed = (timeGetTime() - start) / 1000.0;
    const double cpu = cpu_seconds() - cpu_start;
    sound.stop();
    sound.close();
    std::printf("%-34s cpu %5.2f%% of a core (a floor of every playback with sound)\n", "sound alone, 10 s",
                100.0 * cpu / elapsed);
}

} // namespace

int main(int argc, char** argv)
{
    // --chapters DIR: a folder of 60 one-minute chapters (tarvo-bench-reading writes one into its
    // data folder, CONT) for the time to the first picture of a long continuous recording.
    std::wstring long_recording;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--chapters") {
            const std::string narrow = argv[i + 1];
            long_recording.assign(narrow.begin(), narrow.end());
        }
    }
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
    idle_cpu(host);
    sound_only_cpu(host, (root / "sound.wav").wstring());
    open_to_first_picture("open to first picture, event", host, event, data_type_event, 150);
    open_to_first_picture("open to first picture, 2 chapters", host, continuous, data_type_continuous, 150);
    if (!long_recording.empty()) {
        open_to_first_picture("open to first picture, 60 chapters", host, long_recording, data_type_continuous, 150);
    }
    play("event 30 s", host, event, data_type_event);
    play("continuous 2 min", host, continuous, data_type_continuous);
    DestroyWindow(host);
    std::filesystem::remove_all(root);
    return 0;
}
