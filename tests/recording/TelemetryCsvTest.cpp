// The telemetry as CSV: one line per frame with its time, date, speed and G values, and the
// chapters of a continuous recording joined on one time-line.
#include "ArchiveFixture.h"

#include "recording/TelemetryCsv.h"

#include <sstream>

namespace {

using TelemetryCsvTest = ArchiveFixture;

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r');
        line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

ArchiveBuilder sample_event()
{
    HeaderFields header;
    header.detection_ms = 1100;
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
    builder.sound(1000, Bytes(300, 0x90));
    return builder;
}

// A chapter whose frames stand at the recorder's clock times `ms`, each a second apart in date.
ArchiveBuilder chapter_at(const std::vector<int32_t>& ms, int speed)
{
    ArchiveBuilder builder;
    builder.information_block();
    for (const int32_t time : ms) {
        BlockFields fields;
        fields.ms = time;
        fields.speed = speed;
        fields.time = bcd_date(10, 1, 2, 3, 4, time / 1000 % 60);
        builder.picture(fields, masked_payload(24));
    }
    return builder;
}

TEST_F(TelemetryCsvTest, EachFrameGivesALineUnderTheHeading)
{
    load_event(sample_event().bytes());
    TelemetryCsv csv;
    csv.add(archive);
    const std::vector<std::string> lines = lines_of(csv.text());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Time,DateTime,KPH,G1,G2,G,Marker");
    EXPECT_EQ(lines[1], "0.000,2010-01-02T03:04:05+09:00,0,0,0,0,0");
    // Filler copies repeat the frame before them on the frame clock, with their own slot's line.
    EXPECT_EQ(lines[4].substr(0, 47), "0.100,2010-01-02T03:04:06+09:00,55,-0.123,0.25,");
    EXPECT_EQ(lines[4].substr(lines[4].size() - 2), ",1") << "the detection frame carries the kind";
    EXPECT_EQ(lines[7], "0.200,,0,0,0,0,0"); // an invalid date stays empty
    EXPECT_EQ(csv.first_time(), jst_seconds(2010, 1, 2, 3, 4, 5));
    // G values keep nine significant digits.
    EXPECT_EQ(lines[4].substr(47), "0.278619813,1"); // sqrt(0.123² + 0.25²)
}

TEST_F(TelemetryCsvTest, ChaptersAddedInOrderShareOneTimeLine)
{
    TelemetryCsv csv;
    archive.load_chapter(folder.write(L"Video0001.dmv", chapter_at({50000, 50100}, 30).bytes()));
    csv.add(archive);
    archive.load_chapter(folder.write(L"Video0002.dmv", chapter_at({110000, 110100}, 31).bytes()));
    csv.add(archive);
    const std::vector<std::string> lines = lines_of(csv.text());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Time,DateTime,KPH,G1,G2,G,Marker") << "one heading for the whole recording";
    EXPECT_EQ(lines[1], "0.000,2010-01-02T03:04:50+09:00,30,0,0,0,0");
    EXPECT_EQ(lines[2], "0.100,2010-01-02T03:04:50+09:00,30,0,0,0,0");
    EXPECT_EQ(lines[3], "60.000,2010-01-02T03:04:50+09:00,31,0,0,0,0");
    EXPECT_EQ(lines[4], "60.100,2010-01-02T03:04:50+09:00,31,0,0,0,0");
}

TEST_F(TelemetryCsvTest, AClockThatWentBackGivesNegativeTimesWithoutRounding)
{
    TelemetryCsv csv;
    archive.load_chapter(folder.write(L"Video0001.dmv", chapter_at({5000}, 0).bytes()));
    csv.add(archive);
    archive.load_chapter(folder.write(L"Video0002.dmv", chapter_at({3999}, 0).bytes()));
    csv.add(archive);
    const std::vector<std::string> lines = lines_of(csv.text());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].substr(0, 7), "-1.001,");
}

TEST_F(TelemetryCsvTest, NothingLoadedGivesTheHeadingAlone)
{
    TelemetryCsv csv;
    csv.add(archive);
    EXPECT_EQ(csv.text(), "Time,DateTime,KPH,G1,G2,G,Marker\r\n");
    EXPECT_EQ(csv.first_time(), 0);
}

TEST_F(TelemetryCsvTest, LocalTimesCarryTheirZone)
{
    EXPECT_EQ(TelemetryCsv::local_iso_time(jst_seconds(2009, 12, 31, 23, 59, 58)), "2009-12-31T23:59:58+09:00");
    EXPECT_EQ(TelemetryCsv::local_iso_time(jst_seconds(2045, 7, 1, 0, 0, 0)), "2045-07-01T00:00:00+09:00");
    EXPECT_EQ(TelemetryCsv::local_iso_time(0), "");
}

} // namespace
