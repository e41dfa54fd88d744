// Reading a recording folder again for what the viewer saves: the whole recording's telemetry
// and one frame's JPEG file.
#include "ArchiveFixture.h"

#include "recording/DataType.h"
#include "recording/RecordingFiles.h"
#include "recording/TelemetryReading.h"
#include "recording/TelemetryCsv.h"
#include "support/TestJpeg.h"

#include <sstream>

namespace {

using RecordingFilesTest = ArchiveFixture;

uint32_t stripes(int x, int) { return x < 16 ? 0x204080u : 0xF0E0D0u; }

// A chapter of pictures at the recorder's clock times `ms`, at speed `speed`; the picture of
// the frame at `with_jpeg` (an index into `ms`) is a real JPEG, the others hold only the mask.
Bytes chapter_file(const std::vector<int32_t>& ms, int speed, const Bytes& jpeg = {}, size_t with_jpeg = 0)
{
    ArchiveBuilder builder;
    builder.information_block();
    for (size_t i = 0; i < ms.size(); ++i) {
        BlockFields fields;
        fields.ms = ms[i];
        fields.speed = speed;
        builder.picture(fields, i == with_jpeg && !jpeg.empty() ? recorder_payload(jpeg) : picture_mask());
    }
    return builder.bytes();
}

std::vector<std::string> csv_lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST_F(RecordingFilesTest, AContinuousRecordingsTelemetryJoinsEveryChapterInPlayingOrder)
{
    // Written out of order and in mixed case: the playing order is the names' order.
    folder.write(L"VIDEO0002.DMV", chapter_file({61000, 61100}, 52));
    folder.write(L"Video0001.dmv", chapter_file({1000, 1100, 1200}, 51));
    folder.write(L"video0003.dmv", chapter_file({121000}, 53));
    const std::vector<std::string> lines = csv_lines(RecordingFiles::telemetry_csv(data_type_continuous, folder.path()).text());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Time,DateTime,KPH,G1,G2,G,Marker\r");
    EXPECT_EQ(lines[1].substr(0, 6), "0.000,");
    EXPECT_EQ(lines[3].substr(0, 6), "0.200,");
    EXPECT_EQ(lines[4].substr(0, 7), "60.000,");
    EXPECT_NE(lines[4].find(",52,"), std::string::npos);
    EXPECT_EQ(lines[6].substr(0, 8), "120.000,");
    EXPECT_NE(lines[6].find(",53,"), std::string::npos);
}

TEST_F(RecordingFilesTest, AnEventRecordingsTelemetryIsItsFilesAsTarvoDumpPrintsIt)
{
    ArchiveBuilder builder;
    builder.information_block().picture(1000).picture(1100).sound(1000, Bytes(300, 0x90));
    const std::wstring path = folder.write(L"Video.dvt", builder.bytes());
    archive.load_event(path);
    TelemetryCsv alone;
    alone.add(archive);
    EXPECT_EQ(RecordingFiles::telemetry_csv(data_type_event, folder.path()).text(), alone.text());
    EXPECT_EQ(RecordingFiles::archive_file(data_type_event, folder.path(), 0), path);
}

TEST_F(RecordingFilesTest, AnUnreadableChapterFailsTheWholeTelemetry)
{
    folder.write(L"Video0001.dmv", chapter_file({1000}, 51));
    folder.write(L"Video0002.dmv", Bytes(10, 0));
    folder.write(L"Video0003.dmv", chapter_file({121000}, 53));
    EXPECT_EQ(archive_failure([&] { RecordingFiles::telemetry_csv(data_type_continuous, folder.path()); }),
              L"該当データを読み込めません。");

    // Read a file at a time, the failure comes at the broken chapter's own step.
    TelemetryReading reading(data_type_continuous, folder.path());
    EXPECT_EQ(reading.file_count(), 3);
    EXPECT_TRUE(reading.step());
    EXPECT_EQ(reading.files_read(), 1);
    EXPECT_EQ(csv_lines(reading.csv().text()).size(), 2u) << "the heading and the first chapter's frame";
    EXPECT_EQ(archive_failure([&] { reading.step(); }), L"該当データを読み込めません。");
    EXPECT_EQ(reading.files_read(), 1) << "the broken chapter is not counted as read";
}

TEST_F(RecordingFilesTest, ReadingAFileAtATimeGivesTheWholeRecordingsTelemetry)
{
    folder.write(L"Video0001.dmv", chapter_file({1000}, 51));
    folder.write(L"Video0002.dmv", chapter_file({61000}, 52));
    TelemetryReading reading(data_type_continuous, folder.path());
    ASSERT_EQ(reading.file_count(), 2);
    EXPECT_FALSE(reading.finished());
    EXPECT_TRUE(reading.step());
    EXPECT_FALSE(reading.step()) << "the last file read";
    EXPECT_TRUE(reading.finished());
    EXPECT_FALSE(reading.step()) << "nothing more to read";
    EXPECT_EQ(reading.files_read(), 2);
    EXPECT_EQ(reading.csv().text(), RecordingFiles::telemetry_csv(data_type_continuous, folder.path()).text());
}

TEST_F(RecordingFilesTest, TheFramesJpegComesOutOfTheChapterThePlayerShows)
{
    const Bytes jpeg = encode_colour_jpeg(32, 24, stripes);
    folder.write(L"Video0001.dmv", chapter_file({1000, 1100}, 51));
    folder.write(L"Video0002.dmv", chapter_file({61000, 61100, 61200}, 52, jpeg, 2));
    const std::wstring second = RecordingFiles::archive_file(data_type_continuous, folder.path(), 1);
    EXPECT_EQ(second, folder.file(L"Video0002.dmv"));
    std::vector<uint8_t> saved;
    ASSERT_TRUE(RecordingFiles::frame_jpeg(data_type_continuous, second, 2, saved));
    EXPECT_EQ(saved, recorder_layout(jpeg));
    EXPECT_FALSE(RecordingFiles::frame_jpeg(data_type_continuous, second, 0, saved)) << "only the mask, no picture";
    EXPECT_FALSE(RecordingFiles::frame_jpeg(data_type_continuous, second, 3, saved)) << "no such frame";
    EXPECT_EQ(archive_failure([&] { RecordingFiles::archive_file(data_type_continuous, folder.path(), 2); }),
              L"該当データを読み込めません。");
}

TEST_F(RecordingFilesTest, APictureFileGivesItsOwnJpeg)
{
    const Bytes jpeg = encode_colour_jpeg(32, 24, stripes);
    const std::wstring path = folder.write(L"1-001.dpc", block(BlockFields{}, recorder_payload(jpeg)));
    std::vector<uint8_t> saved;
    ASSERT_TRUE(RecordingFiles::frame_jpeg(data_type_image, path, 0, saved));
    EXPECT_EQ(saved, recorder_layout(jpeg));
    EXPECT_NE(archive_failure([&] { RecordingFiles::frame_jpeg(data_type_image, folder.file(L"none.dpc"), 0, saved); }),
              L"(none)");
}

} // namespace
