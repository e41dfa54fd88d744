#include "samplecard/ContinuousRecording.h"

#include "samplecard/BlockStream.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace samplecard {

namespace {

ContinuousOptions checked(ContinuousOptions options)
{
    // Enough for every case a reader cares about (61 chapters, 900 slots and beyond) while the
    // drive's story stays a few tens of MB at most.
    options.chapters = std::clamp(options.chapters, 0, 99);
    options.chapter_frames = std::clamp(options.chapter_frames, 0, 1200);
    return options;
}

int64_t story_length_ms(const ContinuousOptions& options)
{
    const int64_t frames = static_cast<int64_t>(options.chapters) * options.chapter_frames;
    return frames * 1000 / ContinuousRecording::fps + 2000;
}

} // namespace

ContinuousRecording::ContinuousRecording(const ContinuousOptions& options)
    : options_(checked(options)), random_(options_.seed), clock_(RecorderClock::drawn(random_, options_.start)),
      story_(DriveStory::town_drive(random_.next(), static_cast<int>(story_length_ms(options_)))),
      sound_(random_.next())
{
}

int ContinuousRecording::chapter_frames(int index) const
{
    if (index == options_.chapters - 1 && options_.last_chapter_frames >= 0) {
        return std::min(options_.last_chapter_frames, options_.chapter_frames);
    }
    return options_.chapter_frames;
}

WrittenArchive ContinuousRecording::chapter(int index) const
{
    // The story runs through the frames actually recorded; the recorder's clocks through the
    // minutes, so chapters shorter than a minute still start on the minute.
    const double story_ms = static_cast<double>(index) * options_.chapter_frames * 1000 / fps;
    const int64_t clock_ms = int64_t{index} * chapter_ms;
    const DriveSample first = story_.at(story_ms);

    StreamPlan plan;
    plan.header.kind = kind_continuous;
    plan.header.time = clock_.calendar(clock_ms);
    plan.header.g1 = first.g1;
    plan.header.g2 = first.g2;
    plan.header.speed_kmh = first.speed_kmh;
    plan.story = &story_;
    plan.clock = &clock_;
    plan.sound = options_.sound ? &sound_ : nullptr;
    plan.sound_layout = options_.sound_layout;
    plan.picture = options_.picture;
    plan.seed = options_.seed * 1000003 + static_cast<uint64_t>(index);
    plan.scene_seed = options_.seed;
    plan.fps = fps;
    plan.frames = chapter_frames(index);
    plan.story_ms = story_ms;
    plan.clock_ms = clock_ms;
    plan.pictures_before = clock_.first_ms() / 1000 * fps + static_cast<uint64_t>(index) * options_.chapter_frames;
    plan.metres_before = clock_.first_ms() / 100;
    const auto faults = options_.faults.find(index);
    if (faults != options_.faults.end()) {
        plan.faults = faults->second;
    }
    return write_block_stream(plan);
}

std::wstring ContinuousRecording::chapter_name(int index)
{
    wchar_t name[32];
    std::swprintf(name, std::size(name), L"Video%04d.dmv", index + 1);
    return name;
}

} // namespace samplecard
