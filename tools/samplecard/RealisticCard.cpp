// The card the run command opens: what a recorder's card looks like after a day's driving.
#include "samplecard/CardFiles.h"
#include "samplecard/CardWriter.h"

#include <cwchar>
#include <iterator>

namespace samplecard {

std::vector<CardFolder> write_realistic_card(const std::wstring& root, uint64_t seed)
{
    Random random(seed);
    const CivilTime morning{2011, random.between(1, 12), random.between(1, 28), random.between(7, 9),
                            random.between(0, 59), random.between(0, 59)};
    create_folders(root);
    std::vector<CardFolder> folders;

    ContinuousOptions drive;
    drive.seed = random.next();
    drive.chapters = 3;
    drive.last_chapter_frames = 450; // the engine was switched off 45 s into the third minute
    drive.start = morning;
    write_continuous_folder(join_path(join_path(root, L"CONT"), L"0001"), drive);
    folders.push_back({join_path(L"CONT", L"0001"), L"continuous", false, L"3 chapters, the last one 45 s"});

    struct Event {
        uint8_t kind;
        int frames;
        int detection_frame;
        int minutes_later;
        const wchar_t* note;
    };
    const Event events[] = {
        {kind_sensor_event, 900, 360, 45, L"hard braking detected by the sensor"},
        {kind_manual_event, 900, 360, 160, L"saved by hand"},
        // The recorder lost its first frames: the viewer moves the detection frame to 12 s.
        {kind_sensor_event, 896, 358, 290, L"detection at frame 358 of 896"},
    };
    int number = 1;
    for (const Event& event : events) {
        EventOptions options;
        options.seed = random.next();
        options.kind = event.kind;
        options.frames = event.frames;
        options.detection_frame = event.detection_frame;
        options.header_byte = static_cast<uint8_t>(number);
        options.start = morning.plus_seconds(event.minutes_later * 60 + random.between(0, 59));
        wchar_t name[8];
        std::swprintf(name, std::size(name), L"%04d", number++);
        write_event_folder(join_path(join_path(root, L"EVENT"), name), options);
        folders.push_back({join_path(L"EVENT", name), L"event", false, event.note});
    }

    write_image_folder(join_path(join_path(root, L"IMAGE"), L"0001"), random.next(), 20, PictureFormat{},
                       morning.plus_seconds(3 * 3600));
    folders.push_back({join_path(L"IMAGE", L"0001"), L"image", false, L"20 pictures"});

    FirmInfoOptions settings;
    static constexpr int stops[] = {60, 57, 54, 51, 48, 45, 44, 43, 42, 41, 40};
    settings.clock = morning.plus_seconds(10 * 3600);
    settings.g_threshold = stops[random.between(0, 10)];
    settings.lateral_correction = random.between(0, 30);
    settings.direction_correction = random.between(0, 2) == 0 ? learn_direction_automatically : random.between(-12, 12);
    settings.operation_buzzer = random.between(0, 2);
    settings.event_buzzer = random.between(0, 2);
    write_firminfo(root, settings);
    return folders;
}

} // namespace samplecard
