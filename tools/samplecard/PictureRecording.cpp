#include "samplecard/PictureRecording.h"

#include "samplecard/FrameMaker.h"
#include "samplecard/RecorderClock.h"

#include <cwchar>
#include <iterator>

namespace samplecard {

WrittenArchive make_picture(const PictureOptions& options)
{
    Random random(options.seed);
    const RecorderClock clock = RecorderClock::drawn(random, options.time);
    const DriveStory story = DriveStory::parked(random.next(), 3000);
    const DriveSample state = story.at(1500);

    WrittenBlock block;
    block.kind = BlockKind::picture;
    block.ms = clock.counter(0);
    block.frame = 0;
    block.stamp.group = options.group;
    block.stamp.number = options.number;
    block.stamp.time = clock.calendar(0);
    if (options.invalid_date) {
        block.stamp.time.month = 2;
        block.stamp.time.day = 30;
    }
    block.stamp.g1 = state.g1;
    block.stamp.g2 = state.g2;
    block.stamp.speed_kmh = state.speed_kmh;
    block.stamp.counter1 = static_cast<uint64_t>(options.number);
    block.stamp.counter2 = clock.first_ms() / 100 + static_cast<uint64_t>(state.distance_m);
    block.stamp.aux = static_cast<uint16_t>(245 + clock.first_ms() / 60000 % 150);

    FrameMaker maker(options.picture, options.seed);
    Bytes payload = maker.payload(state, block.stamp.time, options.number, options.model);
    if (options.broken_signature) {
        break_signature(payload);
        block.broken_signature = true;
    }
    block.payload_size = static_cast<uint32_t>(payload.size());

    WrittenArchive archive;
    archive.bytes = block_header(picture_block_type, block.payload_size, block.ms, 0, block.stamp);
    archive.bytes.insert(archive.bytes.end(), payload.begin(), payload.end());
    archive.full_size = archive.bytes.size();
    if (options.truncate_to >= 0 && static_cast<uint64_t>(options.truncate_to) < archive.bytes.size()) {
        archive.bytes.resize(static_cast<size_t>(options.truncate_to));
    }
    archive.blocks.push_back(block);
    archive.frames = 1;
    archive.first_ms = block.ms;
    return archive;
}

std::wstring picture_name(int group, int number)
{
    wchar_t name[32];
    std::swprintf(name, std::size(name), L"%d-%03d.dpc", group % 10, number % 1000);
    return name;
}

} // namespace samplecard
