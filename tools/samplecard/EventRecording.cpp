#include "samplecard/EventRecording.h"

#include "samplecard/BlockStream.h"

#include <algorithm>

namespace samplecard {

namespace {

constexpr int max_event_frames = 20000; // far beyond the 900 slots a reader keeps
// The sensor triggers a few ms after the frame nearest to it was taken.
constexpr int trigger_after_frame_ms = 8;

bool has_detection_instant(uint8_t kind) { return kind == kind_sensor_event || kind == kind_manual_event; }

} // namespace

WrittenArchive make_event(const EventOptions& options)
{
    Random random(options.seed);
    const RecorderClock clock = RecorderClock::drawn(random, options.start);
    const int frames = std::clamp(options.frames, 0, max_event_frames);
    const int64_t duration = static_cast<int64_t>(frames) * 1000 / event_frames_per_second + 1000;
    const int64_t detection_offset =
        frame_offset_ms(std::clamp(options.detection_frame, 0, max_event_frames), event_frames_per_second, options.seed) +
        trigger_after_frame_ms;

    const DriveStory story = options.kind == kind_sensor_event
                                 ? DriveStory::braking_event(random.next(), static_cast<int>(duration),
                                                             static_cast<int>(detection_offset))
                                 : DriveStory::town_drive(random.next(), static_cast<int>(duration));
    const EngineSound sound(random.next());
    const DriveSample at_detection = story.at(static_cast<double>(detection_offset));

    StreamPlan plan;
    plan.header.kind = options.kind;
    plan.header.time = clock.calendar(detection_offset);
    plan.header.detection_ms = clock.counter(detection_offset);
    plan.header.g1 = at_detection.g1;
    plan.header.g2 = at_detection.g2;
    plan.header.speed_kmh = at_detection.speed_kmh;
    plan.header.header_byte = options.header_byte;
    plan.header.flag = options.header_flag;
    plan.story = &story;
    plan.clock = &clock;
    plan.sound = options.sound ? &sound : nullptr;
    plan.sound_layout = options.sound_layout;
    plan.picture = options.picture;
    plan.seed = options.seed;
    plan.scene_seed = options.seed;
    plan.fps = event_frames_per_second;
    plan.frames = frames;
    plan.pictures_before = clock.first_ms() / 1000 * event_frames_per_second;
    plan.metres_before = clock.first_ms() / 100;
    if (has_detection_instant(options.kind)) {
        plan.beep_ms = static_cast<double>(detection_offset) + 40;
    }
    plan.faults = options.faults;

    WrittenArchive archive = write_block_stream(plan);
    archive.detection_frame = has_detection_instant(options.kind) ? options.detection_frame : -1;
    return archive;
}

Bytes make_video_inf(const WrittenArchive& event)
{
    Bytes inf = file_header(event.header);
    uint32_t pictures = 0;
    uint32_t sounds = 0;
    for (const WrittenBlock& block : event.blocks) {
        pictures += block.kind == BlockKind::picture ? 1 : 0;
        sounds += block.kind == BlockKind::sound ? 1 : 0;
    }
    inf.resize(inf.size() + 16, 0);
    put_be32(&inf[32], pictures);
    put_be32(&inf[36], sounds);
    put_be32(&inf[40], static_cast<uint32_t>(event.full_size));
    return inf;
}

} // namespace samplecard
