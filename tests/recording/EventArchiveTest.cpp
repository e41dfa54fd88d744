// Event files: the frame clock at 30 frames per second, the detection instant, the pre-roll and
// the filling of frames the recorder did not deliver.
#include "ArchiveFixture.h"

#include <cmath>

namespace {

using EventArchive = ArchiveFixture;

HeaderFields detection_header(int32_t detection_ms, uint8_t kind = 0x10)
{
    HeaderFields header;
    header.kind = kind;
    header.detection_ms = detection_ms;
    return header;
}

// Pictures at the given block times, every one with a valid capture time.
ArchiveBuilder pictures_at(const HeaderFields& header, const std::vector<int32_t>& times)
{
    ArchiveBuilder builder(header);
    builder.information_block();
    for (const int32_t ms : times) {
        builder.picture(ms);
    }
    return builder;
}

// Block times that put one picture into every slot 0 ... count - 1, from `t0`.
std::vector<int32_t> frame_times(int count, int32_t t0 = 5000)
{
    std::vector<int32_t> times;
    for (int i = 0; i < count; ++i) {
        times.push_back(t0 + (i * 1000 + 29) / 30); // the first ms of slot i
    }
    return times;
}

TEST_F(EventArchive, SlotsAreExactThirtiethsOfASecondFromTheFirstPicture)
{
    // 100 ms after the first picture is exactly slot 3; 99 ms is still slot 2.
    load_event(pictures_at(HeaderFields(), {1000, 1099, 1100, 1033, 1034}).bytes());
    ASSERT_EQ(archive.frame_count(), 4);
    EXPECT_EQ(archive.frame_record(0)->ms, 1000);
    EXPECT_EQ(archive.frame_record(1)->ms, 1034);
    EXPECT_EQ(archive.frame_record(2)->ms, 1099);
    EXPECT_EQ(archive.frame_record(3)->ms, 1100);
}

TEST_F(EventArchive, TheFirstPictureReadKeepsASharedSlot)
{
    BlockFields first;
    first.ms = 7000;
    first.speed = 11;
    BlockFields second = first;
    second.ms = 7020;
    second.speed = 22;
    ArchiveBuilder builder;
    builder.information_block().picture(first, masked_payload(40)).picture(second, masked_payload(40));
    load_event(builder.bytes());
    ASSERT_EQ(archive.frame_count(), 1);
    EXPECT_EQ(archive.frame_record(0)->speed, 11);
    EXPECT_EQ(archive.time_index().size(), 1u);
}

TEST_F(EventArchive, PicturesAreOrderedOnTheClockWhateverTheOrderRead)
{
    // The smallest time is the clock's start even when it is read last.
    load_event(pictures_at(HeaderFields(), {2100, 2000, 2200, 1000}).bytes());
    EXPECT_EQ(archive.frame_count(), 37); // 1200 ms * 30 / 1000 = slot 36
    EXPECT_EQ(archive.frame_record(0)->ms, 1000);
    EXPECT_EQ(archive.frame_record(30)->ms, 2000);
    EXPECT_EQ(archive.frame_record(33)->ms, 2100);
    EXPECT_EQ(archive.frame_record(36)->ms, 2200);
}

TEST_F(EventArchive, SlotsBeyond899AreDropped)
{
    // 29 999 ms is slot 899, 30 000 ms would be slot 900.
    load_event(pictures_at(HeaderFields(), {0, 29999, 30000}).bytes());
    EXPECT_EQ(archive.frame_count(), 900);
    EXPECT_EQ(archive.frame_record(899)->ms, 29999);
    EXPECT_EQ(archive.time_index().back().ms, 29999);
}

TEST_F(EventArchive, MissingFramesAreCopiesOfTheFrameBefore)
{
    BlockFields flagged;
    flagged.ms = 1000;
    flagged.speed = 33;
    flagged.flag_byte = 1;
    ArchiveBuilder builder;
    builder.information_block().picture(flagged, masked_payload(40)).picture(1100);
    load_event(builder.bytes());
    ASSERT_EQ(archive.frame_count(), 4);
    for (int i = 1; i <= 2; ++i) {
        const FrameRecord* copy = archive.frame_record(i);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->ms, 1000);
        EXPECT_EQ(copy->speed, 33);
        EXPECT_EQ(copy->payload_position, archive.frame_record(0)->payload_position);
        EXPECT_EQ(copy->frame_flag, 0);   // the flag, sound length and type stay with the original
        EXPECT_EQ(copy->block_type, 0);
    }
    EXPECT_EQ(archive.frame_record(0)->frame_flag, 1);
    EXPECT_EQ(archive.frame_record(0)->block_type, 0x55);
    EXPECT_TRUE(archive.any_flag());
}

TEST_F(EventArchive, TheDetectionFrameIsTheNearestAndTheFirstOfEquals)
{
    load_event(pictures_at(detection_header(1050), {1000, 1100, 1200}).bytes());
    EXPECT_EQ(archive.kind_code(), 1);
    ASSERT_EQ(archive.detection_index(), 0); // 1000 and 1100 are 50 ms away: the first wins
    EXPECT_EQ(archive.frame_record(0)->marker, 1);
    EXPECT_EQ(archive.frame_record(6)->marker, 0);

    load_event(pictures_at(detection_header(1151, 0x20), {1000, 1100, 1200}).bytes());
    EXPECT_EQ(archive.kind_code(), 2);
    EXPECT_EQ(archive.detection_index(), 6);
    EXPECT_EQ(archive.frame_record(6)->marker, 2);
}

TEST_F(EventArchive, OtherKindsHaveNoDetectionInstant)
{
    const std::pair<uint8_t, int> kinds[] = {{0x18, 11}, {0x19, 12}, {0x00, 0}, {0x11, 0}};
    for (const auto& [byte, code] : kinds) {
        load_event(pictures_at(detection_header(1000, byte), {1000, 1100}).bytes());
        EXPECT_EQ(archive.kind_code(), code);
        EXPECT_EQ(archive.detection_index(), -1);
        EXPECT_EQ(archive.frame_record(0)->marker, 0);
    }
}

TEST_F(EventArchive, PreRollMovesADetectionAt357To359ToSlot360)
{
    for (const int detected : {357, 358, 359}) {
        const std::vector<int32_t> times = frame_times(400);
        load_event(pictures_at(detection_header(times[detected]), times).bytes());
        const int shift = 360 - detected;
        ASSERT_EQ(archive.detection_index(), 360) << detected;
        EXPECT_EQ(archive.frame_count(), 400 + shift);
        EXPECT_EQ(archive.frame_record(360)->ms, times[detected]);
        EXPECT_EQ(archive.frame_record(360)->marker, 1);
        // The freed leading slots are copies of the first picture.
        for (int i = 0; i <= shift; ++i) {
            EXPECT_EQ(archive.frame_record(i)->ms, times[0]);
        }
        EXPECT_EQ(archive.frame_record(shift + 1)->ms, times[1]);
    }
}

TEST_F(EventArchive, PreRollLeavesOtherSlotsAndFullRecordingsAlone)
{
    for (const int detected : {356, 360}) {
        const std::vector<int32_t> times = frame_times(400);
        load_event(pictures_at(detection_header(times[detected]), times).bytes());
        EXPECT_EQ(archive.detection_index(), detected);
        EXPECT_EQ(archive.frame_count(), 400);
    }
    // 898 frames + 2 would not stay below 900; 897 + 2 does.
    std::vector<int32_t> times = frame_times(898);
    load_event(pictures_at(detection_header(times[358]), times).bytes());
    EXPECT_EQ(archive.detection_index(), 358);
    EXPECT_EQ(archive.frame_count(), 898);
    times.pop_back();
    load_event(pictures_at(detection_header(times[358]), times).bytes());
    EXPECT_EQ(archive.detection_index(), 360);
    EXPECT_EQ(archive.frame_count(), 899);
}

TEST_F(EventArchive, ADetectionOutsideTheRecordedSpanIsForgotten)
{
    // After the last frame: the nearest frame is found but fails the check.
    load_event(pictures_at(detection_header(1300), {1000, 1100, 1200}).bytes());
    EXPECT_EQ(archive.kind_code(), 0);
    EXPECT_EQ(archive.detection_index(), -1);
    // Exactly on the last and first frame's ms: kept.
    load_event(pictures_at(detection_header(1200), {1000, 1100, 1200}).bytes());
    EXPECT_EQ(archive.detection_index(), 6);
    load_event(pictures_at(detection_header(1000), {1000, 1100, 1200}).bytes());
    EXPECT_EQ(archive.detection_index(), 0);
    // Before the first frame.
    load_event(pictures_at(detection_header(999), {1000, 1100, 1200}).bytes());
    EXPECT_EQ(archive.kind_code(), 0);
}

TEST_F(EventArchive, ADetectionNeedsNonZeroTimesWithinTheSpan)
{
    HeaderFields no_header_time = detection_header(1100);
    no_header_time.time = bcd_date(9, 2, 30, 0, 0, 0);
    load_event(pictures_at(no_header_time, {1000, 1100, 1200}).bytes());
    EXPECT_EQ(archive.kind_code(), 0);
    EXPECT_EQ(archive.header_time(), 0);

    load_event(pictures_at(detection_header(0), {0, 100, 200}).bytes());
    EXPECT_EQ(archive.kind_code(), 0); // detection ms 0

    HeaderFields later_header = detection_header(1100);
    later_header.time = bcd_date(10, 1, 2, 3, 4, 6); // a second after every frame
    load_event(pictures_at(later_header, {1000, 1100, 1200}).bytes());
    EXPECT_EQ(archive.kind_code(), 0);

    BlockFields undated;
    undated.ms = 1100;
    undated.time = bcd_date(10, 1, 2, 25, 0, 0);
    ArchiveBuilder builder(detection_header(1100));
    builder.information_block().picture(1000).picture(undated, masked_payload(40)).picture(1200);
    load_event(builder.bytes());
    EXPECT_EQ(archive.kind_code(), 0); // the detection frame itself has no time
}

TEST_F(EventArchive, StartAndEndAreTheFirstAndLastValidTimes)
{
    const auto picture_at = [](int32_t ms, int second) {
        BlockFields fields;
        fields.ms = ms;
        fields.time = bcd_date(10, 1, 2, 3, 4, second);
        return fields;
    };
    BlockFields undated_first = picture_at(1000, 0);
    undated_first.time = bcd_date(10, 2, 30, 0, 0, 0);
    BlockFields undated_last = undated_first;
    undated_last.ms = 1300;
    ArchiveBuilder builder(detection_header(1100));
    builder.information_block()
        .picture(undated_first, masked_payload(40))
        .picture(picture_at(1100, 6), masked_payload(40))
        .picture(picture_at(1200, 7), masked_payload(40))
        .picture(undated_last, masked_payload(40));
    load_event(builder.bytes());
    EXPECT_EQ(archive.start_time(), jst_seconds(2010, 1, 2, 3, 4, 6));
    EXPECT_EQ(archive.end_time(), jst_seconds(2010, 1, 2, 3, 4, 7));
    EXPECT_EQ(archive.recording_time(), jst_seconds(2010, 1, 2, 3, 4, 5));
    // The header time (05) lies before the first valid frame time (06): no detection.
    EXPECT_EQ(archive.kind_code(), 0);
}

TEST_F(EventArchive, HeaderFieldsAreDecoded)
{
    HeaderFields header = detection_header(123456, 0x19);
    header.g1_count = 100;
    header.g2_count = 0;
    header.speed = 199;
    header.header_byte = 0xA5;
    header.flag_byte = 0xFE; // bit 0 clear
    load_event(pictures_at(header, {1000}).bytes());
    EXPECT_EQ(archive.kind_code(), 12);
    EXPECT_EQ(archive.detection_ms(), 123456);
    EXPECT_DOUBLE_EQ(archive.header_g1(), (215 - 512) * 0.01468);
    EXPECT_DOUBLE_EQ(archive.header_g2(), 0.0);
    EXPECT_EQ(archive.header_speed(), 180);
    EXPECT_EQ(archive.header_byte(), 0xA5);
    EXPECT_EQ(archive.header_flag(), 0);
    EXPECT_FALSE(archive.any_flag());
    EXPECT_EQ(archive.header_time(), jst_seconds(2010, 1, 2, 3, 4, 5));

    header.flag_byte = 0x01;
    load_event(pictures_at(header, {1000}).bytes());
    EXPECT_EQ(archive.header_flag(), 1);
    EXPECT_TRUE(archive.any_flag());
}

TEST_F(EventArchive, BlockFieldsAreDecoded)
{
    BlockFields fields;
    fields.ms = -5; // block times are signed
    fields.group = 7;
    fields.number = 1234;
    fields.time = bcd_date(11, 12, 13, 14, 15, 16);
    fields.g1_bcd = 8123;
    fields.g2_bcd = 123;
    fields.speed = 181;
    fields.counter1 = 12345678;
    fields.counter2 = 87654321;
    fields.aux_word = 0xBEEF;
    ArchiveBuilder builder;
    builder.information_block().picture(fields, masked_payload(40));
    load_event(builder.bytes());
    const FrameRecord* record = archive.frame_record(0);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->ms, -5);
    EXPECT_EQ(record->picture_group, 7);
    EXPECT_EQ(record->picture_number, 1234);
    EXPECT_EQ(record->time, jst_seconds(2011, 12, 13, 14, 15, 16));
    EXPECT_NEAR(record->g1, -0.123, 1e-12);
    EXPECT_DOUBLE_EQ(record->g2, 0.123);
    EXPECT_NEAR(record->g_magnitude, std::sqrt(2 * 0.123 * 0.123), 1e-12);
    EXPECT_EQ(record->speed, 180);
    EXPECT_EQ(record->counter1, 12345678);
    EXPECT_EQ(record->counter2, 87654321);
    EXPECT_EQ(record->aux_word, 0xBEEF);
    EXPECT_EQ(record->aux_low, 0xEF);
    EXPECT_EQ(record->payload_size, 40);
    EXPECT_EQ(record->block_type, 0x55);
    // Header 32, preamble 16, information block 64 + 48, this block's header 64.
    EXPECT_EQ(record->payload_position, 32 + 16 + 112 + 64);
}

TEST_F(EventArchive, TheTimeIndexHasOneEntryPerSlotInTimeOrder)
{
    load_event(pictures_at(HeaderFields(), {1000, 1100}).bytes());
    const auto& index = archive.time_index();
    ASSERT_EQ(index.size(), 4u);
    const int expected[4][3] = {{1000, 0, 0}, {1000, 1, 0}, {1000, 2, 0}, {1100, 3, 0}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(index[i].ms, expected[i][0]);
        EXPECT_EQ(index[i].slot, expected[i][1]);
        EXPECT_EQ(index[i].third, expected[i][2]);
    }
}

TEST_F(EventArchive, AFileWithoutPicturesHasNoFrames)
{
    load_event(ArchiveBuilder().information_block().bytes());
    EXPECT_EQ(archive.frame_count(), 0);
    EXPECT_EQ(archive.frame_record(0), nullptr);
    EXPECT_EQ(archive.start_time(), 0);
    EXPECT_EQ(archive.detection_index(), -1);
}

} // namespace
