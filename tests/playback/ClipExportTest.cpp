// The clip export's choice of picture and sound for every slot, on archives built byte by byte:
// a writer that keeps what it is given stands in for the video file.
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "base/Text.h"
#include "image/JpegSize.h"
#include "platform/FileSystem.h"
#include "playback/ClipExport.h"
#include "playback/ClipTimeline.h"
#include "playback/IClipWriter.h"
#include "recording/DatedFileName.h"
#include "support/ArchiveBuilder.h"
#include "support/TempFolder.h"
#include "support/TestJpeg.h"
#include "support/TestZone.h"

#include <algorithm>

namespace {

class KeptClip : public IClipWriter {
public:
    ClipFormat format;
    int starts = 0;
    std::vector<Bytes> pictures;
    Bytes sound;
    bool finished = false;
    bool abandoned = false;

    void start(const ClipFormat& f) override
    {
        format = f;
        ++starts;
    }
    void add_picture(const uint8_t* jpeg, size_t size) override { pictures.emplace_back(jpeg, jpeg + size); }
    void add_sound(const uint8_t* samples, size_t count) override { sound.insert(sound.end(), samples, samples + count); }
    void finish() override { finished = true; }
    void abandon() override { abandoned = true; }
};

const Bytes& plain_jpeg()
{
    static const Bytes jpeg = recorder_layout(encode_grey_jpeg(48, 32, [](int x, int) { return x < 24 ? 0x303030u : 0xD0D0D0u; }));
    return jpeg;
}

// The picture of frame `tag` as the camera made it: the same JPEG with the tag after its end, so
// that every frame's bytes differ.
Bytes tagged_jpeg(int tag)
{
    Bytes jpeg = plain_jpeg();
    jpeg.push_back(static_cast<uint8_t>(tag));
    jpeg.push_back(static_cast<uint8_t>(tag >> 8));
    return jpeg;
}

Bytes masked(const Bytes& jpeg)
{
    Bytes payload = jpeg;
    const Bytes mask = picture_mask();
    std::copy(mask.begin(), mask.end(), payload.begin());
    return payload;
}

// A file whose pictures are tagged with their block time and whose one sound block holds `sound`.
Bytes recording(const std::vector<int32_t>& picture_ms, const Bytes& sound, const HeaderFields& header = HeaderFields())
{
    ArchiveBuilder builder(header);
    builder.information_block();
    for (int32_t ms : picture_ms) {
        BlockFields fields;
        fields.ms = ms;
        builder.picture(fields, masked(tagged_jpeg(ms)));
    }
    if (!sound.empty()) {
        builder.sound(picture_ms.empty() ? 0 : picture_ms.front(), sound);
    }
    return builder.bytes();
}

Bytes ramp(size_t count, uint8_t first)
{
    Bytes samples(count);
    for (size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<uint8_t>(first + i);
    }
    return samples;
}

KeptClip export_all(ClipExport& clip)
{
    KeptClip kept;
    int steps = 0;
    while (clip.step(kept)) {
        EXPECT_LE(clip.slots_written(), clip.slots_expected());
        ++steps;
    }
    EXPECT_FALSE(clip.step(kept)); // once finished it stays finished
    EXPECT_EQ(clip.slots_written(), clip.slots_expected());
    return kept;
}

class ClipExportTest : public ::testing::Test {
protected:
    void SetUp() override { use_recorder_time_zone(); }
    TempFolder folder;
};

TEST_F(ClipExportTest, EventSlotsCarryTheCameraBytesAndGapsRepeatThePictureBefore)
{
    // 30 frames a second: 0 ms is slot 0, 34 ms slot 1, 100 ms slot 3 (slot 2 has no picture).
    const Bytes sound = ramp(1000, 1);
    folder.write(L"Video.dvt", recording({0, 34, 100}, sound));
    const auto clip = ClipExport::of_folder(folder.path(), 0);
    const KeptClip kept = export_all(*clip);

    EXPECT_EQ(1, kept.starts);
    EXPECT_EQ(30, kept.format.frames_per_second);
    EXPECT_EQ(48, kept.format.width);
    EXPECT_EQ(32, kept.format.height);
    EXPECT_TRUE(kept.finished);
    // The sound's 1000 samples need three slots (367.5 samples each); the pictures four.
    ASSERT_EQ(4u, kept.pictures.size());
    EXPECT_EQ(tagged_jpeg(0), kept.pictures[0]);
    EXPECT_EQ(tagged_jpeg(34), kept.pictures[1]);
    EXPECT_EQ(tagged_jpeg(34), kept.pictures[2]);
    EXPECT_EQ(tagged_jpeg(100), kept.pictures[3]);
    // Four slots are 1470 samples: the recording's own, then silence.
    ASSERT_EQ(1470u, kept.sound.size());
    EXPECT_TRUE(std::equal(sound.begin(), sound.end(), kept.sound.begin()));
    EXPECT_TRUE(std::all_of(kept.sound.begin() + 1000, kept.sound.end(), [](uint8_t s) { return s == 0x80; }));
}

TEST_F(ClipExportTest, SoundLongerThanThePicturesHoldsTheLastPicture)
{
    const Bytes sound = ramp(2000, 7); // 5.4 slots at 30 a second
    folder.write(L"Video.dvt", recording({0, 34}, sound));
    const auto clip = ClipExport::of_folder(folder.path() + path_separator, 0); // a trailing separator too
    const KeptClip kept = export_all(*clip);
    ASSERT_EQ(6u, kept.pictures.size());
    for (size_t slot = 1; slot < kept.pictures.size(); ++slot) {
        EXPECT_EQ(tagged_jpeg(34), kept.pictures[slot]) << slot;
    }
    ASSERT_EQ(2205u, kept.sound.size());
    EXPECT_EQ(sound, Bytes(kept.sound.begin(), kept.sound.begin() + 2000));
}

TEST_F(ClipExportTest, UnreadablePicturesShowTheOneBeforeAndLeadingOnesTheFirstReadable)
{
    ArchiveBuilder builder;
    builder.information_block();
    BlockFields fields;
    fields.ms = 0;
    builder.picture(fields, masked_payload(16)); // 16 bytes: kept as a frame, never a picture
    fields.ms = 34;
    builder.picture(fields, masked(tagged_jpeg(34)));
    fields.ms = 67;
    builder.picture(fields, masked_payload(16));
    fields.ms = 100;
    builder.picture(fields, masked(tagged_jpeg(100)));
    folder.write(L"Video.dvt", builder.bytes());
    const auto clip = ClipExport::of_folder(folder.path(), 0);
    const KeptClip kept = export_all(*clip);
    ASSERT_EQ(4u, kept.pictures.size());
    EXPECT_EQ(tagged_jpeg(34), kept.pictures[0]);
    EXPECT_EQ(tagged_jpeg(34), kept.pictures[1]);
    EXPECT_EQ(tagged_jpeg(34), kept.pictures[2]);
    EXPECT_EQ(tagged_jpeg(100), kept.pictures[3]);
    EXPECT_EQ(ClipTimeline(30).samples_before(4), static_cast<int64_t>(kept.sound.size()));
}

TEST_F(ClipExportTest, ARecordingWithoutAnyPictureFailsBeforeTheWriterStarts)
{
    ArchiveBuilder builder;
    builder.information_block();
    BlockFields fields;
    builder.picture(fields, masked_payload(16));
    folder.write(L"Video.dvt", builder.bytes());
    const auto clip = ClipExport::of_folder(folder.path(), 0);
    KeptClip kept;
    EXPECT_THROW(
        {
            while (clip->step(kept)) {
            }
        },
        VideoArchiveException);
    EXPECT_EQ(0, kept.starts);
    EXPECT_FALSE(kept.finished);
}

TEST_F(ClipExportTest, AFolderWithoutTheRecordingFailsAtOnce)
{
    EXPECT_THROW(ClipExport::of_folder(folder.path(), 0), VideoArchiveException);
    EXPECT_THROW(ClipExport::of_folder(folder.path(), 2), VideoArchiveException);
}

TEST_F(ClipExportTest, ChaptersAreJoinedWithEachChaptersSoundAtItsFirstSlot)
{
    // Three chapters at 10 frames a second: 3, 2 and 4 frames. The middle one's sound outlasts
    // its pictures (2500 samples: three slots of 1102.5), the first one's falls short.
    const std::vector<std::vector<int32_t>> frames = {{0, 100, 200}, {5000, 5100}, {9000, 9100, 9200, 9300}};
    const std::vector<Bytes> sounds = {ramp(200, 10), ramp(2500, 60), ramp(441, 120)};
    for (size_t i = 0; i < frames.size(); ++i) {
        folder.write(L"Video000" + std::to_wstring(i + 1) + L".dmv", recording(frames[i], sounds[i]));
    }
    const auto clip = ClipExport::of_folder(folder.path(), 2);
    const KeptClip kept = export_all(*clip);
    EXPECT_EQ(10, kept.format.frames_per_second);

    const std::vector<int32_t> expected = {0, 100, 200, 5000, 5100, 5100, 9000, 9100, 9200, 9300};
    ASSERT_EQ(expected.size(), kept.pictures.size());
    for (size_t slot = 0; slot < expected.size(); ++slot) {
        EXPECT_EQ(tagged_jpeg(expected[slot]), kept.pictures[slot]) << slot;
    }
    const ClipTimeline timeline(10);
    ASSERT_EQ(timeline.samples_before(10), static_cast<int64_t>(kept.sound.size()));
    const int64_t starts[] = {0, timeline.samples_before(3), timeline.samples_before(6)};
    for (size_t i = 0; i < sounds.size(); ++i) {
        EXPECT_EQ(sounds[i], Bytes(kept.sound.begin() + starts[i], kept.sound.begin() + starts[i] + sounds[i].size())) << i;
    }
    // Between the first chapter's 200 samples and the second's start: silence.
    EXPECT_TRUE(std::all_of(kept.sound.begin() + 200, kept.sound.begin() + starts[1], [](uint8_t s) { return s == 0x80; }));
}

TEST_F(ClipExportTest, TheFileNameComesFromTheFirstFramesDateAndTime)
{
    // The header holds the detection instant, 12 s after the first frame; the name is the first
    // frame's, as the telemetry's is.
    HeaderFields header;
    header.time = bcd_date(26, 12, 8, 9, 5, 7);
    ArchiveBuilder builder(header);
    builder.information_block();
    BlockFields first;
    first.time = bcd_date(26, 12, 8, 9, 4, 55);
    builder.picture(first, masked(tagged_jpeg(0)));
    folder.write(L"Video.dvt", builder.bytes());
    const auto clip = ClipExport::of_folder(folder.path(), 0);
    EXPECT_EQ(L"20261208_090455.avi", dated_file_name(texts::export_file_name, clip->first_time(), folder.path()));
    const std::wstring card_folder = std::wstring(L"card") + path_separator + L"0042" + path_separator;
    EXPECT_EQ(L"0042.avi", dated_file_name(texts::export_file_name, 0, card_folder));
}

TEST(ClipTimeline, FilesLastAsLongAsTheirPicturesOrTheirSound)
{
    const ClipTimeline event(30);
    EXPECT_EQ(900, event.part_slots(900, 330750));  // exactly 30 s of both
    EXPECT_EQ(901, event.part_slots(900, 330751));  // one sample more needs one slot more
    EXPECT_EQ(900, event.part_slots(900, 0));
    EXPECT_EQ(0, event.part_slots(0, 0));
    EXPECT_EQ(367, event.samples_before(1));
    EXPECT_EQ(735, event.samples_before(2));
    EXPECT_EQ(330750, event.samples_before(900));
    const ClipTimeline chapters(10);
    EXPECT_EQ(6615000, chapters.samples_before(6000)); // ten one-minute chapters
    EXPECT_EQ(0, ClipTimeline::frame_of_slot(0, 3));
    EXPECT_EQ(2, ClipTimeline::frame_of_slot(2, 3));
    EXPECT_EQ(2, ClipTimeline::frame_of_slot(7, 3));
}

TEST(JpegSize, TheFrameHeaderIsFoundBehindTheTablesAndDamageGivesNothing)
{
    const Bytes jpeg = plain_jpeg();
    const std::optional<JpegSize> size = jpeg_size(jpeg.data(), jpeg.size());
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(48, size->width);
    EXPECT_EQ(32, size->height);

    // Cut anywhere before the frame header ends, the size is not known.
    size_t frame_header = 2;
    while (jpeg[frame_header + 1] != 0xC0) {
        frame_header += 2 + static_cast<size_t>((jpeg[frame_header + 2] << 8) | jpeg[frame_header + 3]);
    }
    // (a grey picture's frame header: marker, length 11, precision, height, width, one component)
    EXPECT_FALSE(jpeg_size(jpeg.data(), frame_header + 12).has_value());
    EXPECT_TRUE(jpeg_size(jpeg.data(), frame_header + 13).has_value());
    EXPECT_FALSE(jpeg_size(masked(jpeg).data(), jpeg.size()).has_value()); // the recorder's masked start
    EXPECT_FALSE(jpeg_size(nullptr, 0).has_value());
}

} // namespace
