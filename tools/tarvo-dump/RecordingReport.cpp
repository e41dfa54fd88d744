#include "RecordingReport.h"

#include <cstdio>
#include <cstring>

#include "platform/File.h"
#include "common/JsonWriter.h"
#include "recording/FolderPath.h"
#include "recording/RecorderFields.h"
#include "recording/VideoArchive.h"
#include "image/Image.h"

namespace {

void put_le(std::vector<uint8_t>& out, size_t at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// The frame's fields; `with_name` adds the name of its picture file (image folders).
void write_frame(JsonWriter& json, const FrameRecord& record, bool with_name)
{
    json.begin_object();
    if (with_name) {
        json.key("name").value(last_path_component(record.path));
    }
    json.key("ms").value(record.ms);
    json.key("time").value(record.time);
    json.key("g1").value(record.g1);
    json.key("g2").value(record.g2);
    json.key("gmag").value(record.g_magnitude);
    json.key("speed").value(record.speed);
    json.key("group").value(record.picture_group);
    json.key("number").value(record.picture_number);
    json.key("marker").value(record.marker);
    json.key("counter1").value(record.counter1);
    json.key("counter2").value(record.counter2);
    json.key("aux").value(record.aux_word);
    json.key("aux_low").value(record.aux_low);
    json.key("flag").value(static_cast<int>(record.frame_flag));
    json.key("payload_size").value(record.payload_size);
    json.key("payload_pos").value(record.payload_position);
    json.key("block_type").value(static_cast<int>(record.block_type));
    json.key("sound_length").value(record.sound_length);
    json.end_object();
}

// Every member of a loaded archive's object, for the open object of `json`.
void write_recording(JsonWriter& json, const VideoArchive& archive, int64_t sound_bytes, bool frame_names)
{
    json.key("kind_code").value(archive.kind_code());
    json.key("header_time").value(archive.header_time());
    json.key("detection_ms").value(archive.detection_ms());
    json.key("header_g1").value(archive.header_g1());
    json.key("header_g2").value(archive.header_g2());
    json.key("header_speed").value(archive.header_speed());
    json.key("header_byte").value(static_cast<int>(archive.header_byte()));
    json.key("header_flag").value(static_cast<int>(archive.header_flag()));
    json.key("any_flag").value(archive.any_flag());
    json.key("detection_index").value(archive.detection_index());
    json.key("frame_count").value(archive.frame_count());
    json.key("start_time").value(archive.start_time());
    json.key("end_time").value(archive.end_time());
    json.key("recording_time").value(archive.recording_time());
    json.key("sound_bytes").value(sound_bytes);
    json.key("frames").begin_array();
    for (int i = 0; i < archive.frame_count(); ++i) {
        const FrameRecord* record = archive.frame_record(i);
        if (record != nullptr) {
            write_frame(json, *record, frame_names);
        } else {
            json.null();
        }
    }
    json.end_array();
    json.key("time_index").begin_array();
    for (const TimeIndexEntry& entry : archive.time_index()) {
        json.begin_array().value(entry.ms).value(entry.slot).value(entry.third).end_array();
    }
    json.end_array();
}

} // namespace

std::string recording_json(const VideoArchive& archive, int64_t sound_bytes)
{
    JsonWriter json;
    json.begin_object();
    write_recording(json, archive, sound_bytes, false);
    json.end_object();
    return json.text() + "\n";
}

std::string image_folder_json(const VideoArchive& archive, bool more_than_600)
{
    JsonWriter json;
    json.begin_object();
    write_recording(json, archive, -1, true);
    json.key("more_than_600").value(more_than_600);
    json.end_object();
    return json.text() + "\n";
}

int64_t wave_data_size(const std::wstring& path)
{
    File wave = File::open_shared_read(path);
    uint8_t header[44];
    if (!wave.is_open() || wave.read(header, sizeof header) != sizeof header ||
        std::memcmp(header + 36, "data", 4) != 0) {
        return -1;
    }
    return static_cast<int64_t>(header[40]) | static_cast<int64_t>(header[41]) << 8 |
           static_cast<int64_t>(header[42]) << 16 | static_cast<int64_t>(header[43]) << 24;
}

std::vector<uint8_t> bmp_file(const Image& image)
{
    constexpr size_t headers = 14 + 40;
    std::vector<uint8_t> out(headers + image.size(), 0);
    out[0] = 'B';
    out[1] = 'M';
    put_le(out, 2, static_cast<uint32_t>(out.size()), 4);
    put_le(out, 10, headers, 4);
    put_le(out, 14, 40, 4);
    put_le(out, 18, static_cast<uint32_t>(image.width()), 4);
    put_le(out, 22, static_cast<uint32_t>(image.height()), 4); // positive: bottom row first
    put_le(out, 26, 1, 2);
    put_le(out, 28, 32, 2);
    put_le(out, 34, static_cast<uint32_t>(image.size()), 4);
    if (image.size() > 0) {
        std::memcpy(out.data() + headers, image.pixels(), image.size());
    }
    return out;
}
