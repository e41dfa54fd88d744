// Opens an event recording, a continuous recording and a picture of an image folder, one after
// the other, a thousand times (or `--cycles N`), each while the pictures of the one before are
// still being decoded, and prints the process's handles, GDI and user objects and memory before
// and after (nothing should grow) and how many pictures reached the player for a recording other
// than the one open at the time (none should). Figures only: nothing here passes or fails.
#include "support/QuietPlayerOwner.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "samplecard/CardWriter.h"
#include "image/Image.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <string>

namespace {

struct Counts {
    DWORD handles = 0;
    DWORD gdi = 0;
    DWORD user = 0;
    size_t private_kb = 0;
    size_t working_set_kb = 0;
};

// The handles open in this process, found by asking about every possible handle value (some
// systems, Wine among them, do not count them for GetProcessHandleCount).
DWORD probed_handles()
{
    DWORD count = 0;
    for (uintptr_t value = 4; value < (1u << 18); value += 4) {
        DWORD flags = 0;
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    }
    return count;
}

// The committed private memory of the process, summed over its address space.
size_t committed_private_kb()
{
    size_t total = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (auto* address = static_cast<uint8_t*>(nullptr);
         VirtualQuery(address, &region, sizeof region) == sizeof region;
         address = static_cast<uint8_t*>(region.BaseAddress) + region.RegionSize) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) {
            total += region.RegionSize;
        }
        if (region.RegionSize == 0) {
            break;
        }
    }
    return total / 1024;
}

Counts counts()
{
    Counts result;
    GetProcessHandleCount(GetCurrentProcess(), &result.handles);
    if (result.handles == 0) {
        result.handles = probed_handles();
    }
    result.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    result.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    result.private_kb = memory.PrivateUsage != 0 ? memory.PrivateUsage / 1024 : committed_private_kb();
    result.working_set_kb = memory.WorkingSetSize / 1024;
    return result;
}

// Each recording has pictures of its own width, so a picture tells which recording it came from.
constexpr int event_width = 320;
constexpr int chapter_width = 160;
constexpr int picture_width = 96;

struct Watch {
    const VideoPlayer* player = nullptr;
    int expected_width = 0;
    const Image* last = nullptr;
    long pictures = 0;
    long stale = 0;

    void look()
    {
        const Image* picture = player->picture();
        if (picture != nullptr && picture != last) {
            ++pictures;
            stale += picture->width() != expected_width ? 1 : 0;
        }
        last = picture;
    }
};

// Dispatches messages until `pictures` more pictures have reached the player (or 5 s passed),
// checking each one.
void pump_pictures(Watch& watch, long pictures)
{
    const long until = watch.pictures + pictures;
    const DWORD start = GetTickCount();
    MSG message;
    while (watch.pictures < until && GetTickCount() - start < 5000) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
            watch.look();
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
    }
}

void print(const char* when, const Counts& c)
{
    std::printf("  %-8s handles %5lu  GDI objects %4lu  user objects %4lu  private %7zu kB  working set %7zu kB\n",
                when, c.handles, c.gdi, c.user, c.private_kb, c.working_set_kb);
}

} // namespace

int main(int argc, char** argv)
{
    int cycles = 1000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--cycles") {
            cycles = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "tarvo-bench-soak";
    std::filesystem::remove_all(root);
    const std::wstring event = (root / "EVENT").wstring();
    const std::wstring continuous = (root / "CONT").wstring();
    const std::wstring pictures = (root / "IMAGE").wstring();
    samplecard::EventOptions event_options;
    event_options.frames = 90;
    event_options.detection_frame = 45;
    event_options.picture = {event_width, 240, 60};
    samplecard::write_event_folder(event, event_options);
    samplecard::ContinuousOptions chapter_options;
    chapter_options.chapters = 2;
    chapter_options.chapter_frames = 30;
    chapter_options.picture = {chapter_width, 120, 60};
    samplecard::write_continuous_folder(continuous, chapter_options);
    const auto names = samplecard::write_image_folder(pictures, 7, 3, {picture_width, 72, 60});

    HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 660, 500, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    QuietPlayerOwner owner;
    auto* player = new VideoPlayer(host, owner);
    Watch watch;
    watch.player = player;

    auto cycle = [&] {
        set_current_data_type(data_type_event);
        player->set_opened_kind(data_type_event);
        watch.expected_width = event_width;
        player->open(event);
        player->play(0);
        pump_pictures(watch, 2); // then on to the next while the next pictures are decoding

        set_current_data_type(data_type_continuous);
        player->set_opened_kind(data_type_continuous);
        watch.expected_width = chapter_width;
        player->load_chapters(continuous);
        player->open_chapter(0);
        player->play(0);
        pump_pictures(watch, 2);

        set_current_data_type(data_type_image);
        player->set_opened_kind(data_type_image);
        player->set_picture_name(names[1]);
        watch.expected_width = picture_width;
        player->open_picture(pictures);
        pump_pictures(watch, 1);
    };

    std::printf("soak: %d cycles of opening an event recording, a continuous recording and a picture\n", cycles);
    for (int i = 0; i < 10; ++i) {
        cycle(); // the first cycles fill the caches and pools that stay
    }
    const Counts before = counts();
    const DWORD start = GetTickCount();
    for (int i = 0; i < cycles; ++i) {
        cycle();
    }
    const DWORD elapsed = GetTickCount() - start;
    player->close();
    const Counts after_cycles = counts();
    print("before", before);
    print("after", after_cycles);
    if (before.gdi == 0 && after_cycles.gdi == 0) {
        std::printf("  (this system does not count GDI and user objects: 0 means not told)\n");
    }
    std::printf("  growth   handles %+ld  GDI objects %+ld  user objects %+ld  private %+ld kB (%.2f kB per cycle)\n",
                static_cast<long>(after_cycles.handles) - static_cast<long>(before.handles),
                static_cast<long>(after_cycles.gdi) - static_cast<long>(before.gdi),
                static_cast<long>(after_cycles.user) - static_cast<long>(before.user),
                static_cast<long>(after_cycles.private_kb) - static_cast<long>(before.private_kb),
                (static_cast<double>(after_cycles.private_kb) - static_cast<double>(before.private_kb)) / cycles);
    std::printf("  pictures taken by the player %ld, of a recording no longer open %ld; %.1f ms per cycle\n",
                watch.pictures, watch.stale, static_cast<double>(elapsed) / cycles);
    DestroyWindow(player->handle());
    DestroyWindow(host);
    std::filesystem::remove_all(root);
    return 0;
}
