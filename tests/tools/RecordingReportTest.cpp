#include "RecordingReport.h"

#include <gtest/gtest.h>

#include <cstring>

#include "recording/ArchiveFixture.h"
#include "support/MiniJson.h"
#include "image/Image.h"

namespace {

using RecordingReport = ArchiveFixture;

ArchiveBuilder sample_event()
{
    HeaderFields header;
    header.detection_ms = 1100;
    header.g1_count = 100;
    header.speed = 42;
    header.header_byte = 9;
    ArchiveBuilder builder(header);
    BlockFields detected;
    detected.ms = 1100;
    detected.g1_bcd = 8123;
    detected.g2_bcd = 250;
    detected.speed = 55;
    detected.time = bcd_date(10, 1, 2, 3, 4, 6);
    BlockFields undated;
    undated.ms = 1200;
    undated.time = bcd_date(10, 2, 30, 0, 0, 0);
    builder.information_block().picture(1000).picture(detected, masked_payload(30)).picture(undated, masked_payload(30));
    builder.sound(1000, Bytes(300, 0x90)).sound(1100, Bytes(300, 0x70));
    return builder;
}

TEST_F(RecordingReport, TheJsonHoldsTheWholeStateEveryFrameAndTheTimeIndex)
{
    load_event(sample_event().bytes());
    const auto json = parse_json(recording_json(archive, 4321));
    ASSERT_TRUE(json.has_value());
    const JsonValue& root = *json;
    EXPECT_EQ(root["kind_code"].integer(), 1);
    EXPECT_EQ(root["header_time"].integer(), jst_seconds(2010, 1, 2, 3, 4, 5));
    EXPECT_EQ(root["detection_ms"].integer(), 1100);
    EXPECT_EQ(root["header_g1"].number, archive.header_g1()); // printed so that it reads back the same
    EXPECT_EQ(root["header_g2"].number, 0.0);
    EXPECT_EQ(root["header_speed"].integer(), 42);
    EXPECT_EQ(root["header_byte"].integer(), 9);
    EXPECT_EQ(root["header_flag"].integer(), 0);
    EXPECT_EQ(root["any_flag"].kind, JsonValue::Kind::boolean);
    EXPECT_FALSE(root["any_flag"].boolean);
    EXPECT_EQ(root["detection_index"].integer(), 3);
    EXPECT_EQ(root["frame_count"].integer(), 7);
    EXPECT_EQ(root["start_time"].integer(), jst_seconds(2010, 1, 2, 3, 4, 5));
    EXPECT_EQ(root["end_time"].integer(), jst_seconds(2010, 1, 2, 3, 4, 6));
    EXPECT_EQ(root["recording_time"].integer(), jst_seconds(2010, 1, 2, 3, 4, 5));
    EXPECT_EQ(root["sound_bytes"].integer(), 4321);

    const JsonValue& frames = root["frames"];
    ASSERT_EQ(frames.items.size(), 7u);
    const JsonValue& detected = frames[3];
    EXPECT_EQ(detected["ms"].integer(), 1100);
    EXPECT_EQ(detected["time"].integer(), jst_seconds(2010, 1, 2, 3, 4, 6));
    EXPECT_EQ(detected["g1"].number, archive.frame_record(3)->g1);
    EXPECT_NEAR(detected["g1"].number, -0.123, 1e-12);
    EXPECT_EQ(detected["g2"].number, 0.25);
    EXPECT_EQ(detected["gmag"].number, archive.frame_record(3)->g_magnitude);
    EXPECT_EQ(detected["speed"].integer(), 55);
    EXPECT_EQ(detected["marker"].integer(), 1);
    EXPECT_EQ(detected["block_type"].integer(), 0x55);
    EXPECT_EQ(detected["payload_size"].integer(), 30);
    EXPECT_EQ(detected["payload_pos"].integer(), archive.frame_record(3)->payload_position);
    for (const char* field : {"group", "number", "counter1", "counter2", "aux", "aux_low", "flag", "sound_length"}) {
        EXPECT_EQ(detected[field].kind, JsonValue::Kind::number) << field;
    }
    EXPECT_EQ(frames[1]["block_type"].integer(), 0); // a filler copy

    const JsonValue& index = root["time_index"];
    ASSERT_EQ(index.items.size(), 7u);
    EXPECT_EQ(index[6].items.size(), 3u);
    EXPECT_EQ(index[6][0].integer(), 1200);
    EXPECT_EQ(index[6][1].integer(), 6);
    EXPECT_EQ(index[6][2].integer(), 0);
}

TEST_F(RecordingReport, TheSoundSizeIsReadFromTheWavesHeader)
{
    load_event(sample_event().bytes());
    const int64_t size = wave_data_size(archive.sound_path());
    EXPECT_EQ(size, 1102 + 300);
    EXPECT_EQ(static_cast<size_t>(size) + 44, read_bytes(archive.sound_path()).size());
    EXPECT_EQ(wave_data_size(folder.file(L"none.wav")), -1);
    EXPECT_EQ(wave_data_size(folder.write(L"short.wav", Bytes(43, 0))), -1);
}

TEST_F(RecordingReport, BmpFilesAreBottomUp32BitPictures)
{
    Image image(3, 2);
    for (size_t i = 0; i < image.size(); ++i) {
        image.pixels()[i] = static_cast<uint8_t>(i * 7);
    }
    const std::vector<uint8_t> bmp = bmp_file(image);
    ASSERT_EQ(bmp.size(), 54u + 24u);
    const auto le32 = [&](size_t at) {
        return static_cast<uint32_t>(bmp[at] | bmp[at + 1] << 8 | bmp[at + 2] << 16 | bmp[at + 3] << 24);
    };
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(2), 78u);
    EXPECT_EQ(le32(10), 54u);
    EXPECT_EQ(le32(14), 40u);
    EXPECT_EQ(le32(18), 3u);
    EXPECT_EQ(le32(22), 2u);
    EXPECT_EQ(bmp[26] | bmp[27] << 8, 1);
    EXPECT_EQ(bmp[28] | bmp[29] << 8, 32);
    EXPECT_EQ(le32(30), 0u);
    EXPECT_EQ(le32(34), 24u);
    EXPECT_EQ(0, std::memcmp(bmp.data() + 54, image.pixels(), image.size()));
}

} // namespace
