#include "ArchiveExercise.h"

#include <vector>

#include "base/Exception.h"
#include "platform/File.h"
#include "image/JpegDecoder.h"
#include "recording/VideoArchive.h"
#include "recording/VideoInfo07.h"
#include "image/Image.h"

namespace {

constexpr int max_pictures_decoded = 6; // a few per load keeps each run short

uint64_t fold(const FrameRecord& record)
{
    return static_cast<uint64_t>(record.ms) ^ static_cast<uint64_t>(record.time) ^
           static_cast<uint64_t>(record.speed + record.marker + record.counter1 + record.counter2 + record.aux_word) ^
           static_cast<uint64_t>(static_cast<int64_t>(record.g1 * 1000 + record.g2 * 1000 + record.g_magnitude * 1000)) ^
           static_cast<uint64_t>(record.payload_position + record.payload_size + record.sound_length);
}

uint64_t decode(VideoArchive& archive, int index)
{
    const std::unique_ptr<Image> image = archive.frame_picture(index);
    return image ? image->size() + image->pixels()[0] : 0;
}

// What a load made of the file: its records, time index and sound, as plain numbers.
uint64_t loaded_digest(const VideoArchive& archive)
{
    const VideoInfo07 info(archive);
    uint64_t sum = static_cast<uint64_t>(info.kind_code() + info.detection_index() + info.frame_count()) ^
                   static_cast<uint64_t>(info.start_time() ^ info.end_time() ^ info.recording_time());
    for (int i = -1; i <= info.frame_count(); ++i) {
        if (const FrameRecord* record = info.frame_record(i)) {
            sum += fold(*record);
        }
    }
    if (const FrameRecord* detection = info.detection_record()) {
        sum += fold(*detection);
    }
    for (const TimeIndexEntry& entry : archive.time_index()) {
        sum += static_cast<uint64_t>(entry.ms + entry.slot + entry.third);
    }
    if (!archive.sound_path().empty()) {
        File sound = File::open_shared_read(archive.sound_path());
        uint8_t chunk[4096];
        for (size_t got; (got = sound.read(chunk, sizeof chunk)) > 0;) {
            for (size_t i = 0; i < got; ++i) {
                sum = sum * 31 + chunk[i];
            }
        }
    }
    return sum;
}

// Everything a loaded archive hands out, through the archive and through its information view.
uint64_t read_all(VideoArchive& archive)
{
    uint64_t sum = loaded_digest(archive);
    const int count = archive.frame_count();
    const int step = count / max_pictures_decoded + 1;
    for (int i = 0; i < count; i += step) {
        sum += decode(archive, i);
    }
    return sum + decode(archive, archive.detection_index()) + decode(archive, count - 1);
}

template <typename Load>
uint64_t attempt(Load load)
{
    try {
        return load();
    } catch (const Exception& failure) {
        return failure.message().size();
    }
}

} // namespace

uint64_t exercise_archive(const uint8_t* data, size_t size, const std::wstring& scratch, VideoArchive& archive)
{
    {
        File file = File::create_exclusive_write(scratch);
        if (!file.is_open() || !file.write(data, size)) {
            return 0;
        }
    }
    uint64_t sum = 0;
    if (const std::unique_ptr<Image> image = decode_jpeg(data, size)) {
        sum += image->size();
    }
    sum += attempt([&] {
        archive.load_event(scratch);
        return read_all(archive);
    });
    sum += attempt([&] {
        archive.set_chapter_number(static_cast<int>(size % 601));
        archive.load_chapter(scratch);
        return read_all(archive) + archive.chapter_row(0)->ms;
    });
    sum += attempt([&] { return static_cast<uint64_t>(VideoArchive::count_chapter_frames(scratch)); });
    sum += attempt([&] {
        archive.load_picture_file(scratch);
        return read_all(archive);
    });
    archive.reset();
    return sum;
}

bool file_and_memory_loads_agree(const uint8_t* data, size_t size, const std::wstring& scratch, VideoArchive& archive)
{
    {
        File file = File::create_exclusive_write(scratch);
        if (!file.is_open() || !file.write(data, size)) {
            return true; // nothing to compare
        }
    }
    const std::vector<uint8_t> bytes(data, data + size);
    bool agree = true;
    for (const bool chapter : {false, true}) {
        archive.set_chapter_number(0);
        const uint64_t from_file = attempt([&] {
            chapter ? archive.load_chapter(scratch) : archive.load_event(scratch);
            return loaded_digest(archive);
        });
        const uint64_t from_memory = attempt([&] {
            chapter ? archive.load_chapter_bytes(bytes) : archive.load_event_bytes(bytes);
            return loaded_digest(archive);
        });
        agree = agree && from_file == from_memory;
    }
    archive.reset();
    return agree;
}
