#include "samplecard/EventRecording.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace samplecard;
using namespace samplecard_test;

EventOptions small_event(uint64_t seed = 5)
{
    EventOptions options;
    options.seed = seed;
    options.frames = 540;
    options.detection_frame = 360;
    options.picture = PictureFormat{64, 48, 40};
    return options;
}

double g_of_digits(int64_t digits)
{
    const double x = static_cast<double>(digits) / 1000.0;
    return x > 8.0 ? -(x - 8.0) : (x == 8.0 ? 0.0 : x);
}

// One event written once for all the layout tests below.
class EventArchiveTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { event = new WrittenArchive(make_event(small_event())); }
    static void TearDownTestSuite()
    {
        delete event;
        event = nullptr;
    }

    static std::vector<ChainBlock> chain()
    {
        bool complete = false;
        auto blocks = block_chain(event->bytes, complete);
        EXPECT_TRUE(complete);
        return blocks;
    }

    static WrittenArchive* event;
};

WrittenArchive* EventArchiveTest::event = nullptr;

TEST_F(EventArchiveTest, HeaderHoldsKindDateDetectionGAndSpeed)
{
    const Bytes& file = event->bytes;
    EXPECT_EQ(file[0], 0x10);
    // The header date is the detection frame's capture date.
    const WrittenBlock* detection = nullptr;
    for (const WrittenBlock& block : event->blocks) {
        if (block.kind == BlockKind::picture && block.frame == 360) {
            detection = &block;
        }
    }
    ASSERT_NE(detection, nullptr);
    for (int i = 0; i < 6; ++i) {
        EXPECT_LE(bcd(file, 2 + i, 1), 59) << "date byte " << i;
    }
    EXPECT_EQ(Bytes(file.begin() + 2, file.begin() + 8),
              Bytes(file.begin() + detection->offset + 36, file.begin() + detection->offset + 42));
    // The sensor fired just after the detection frame was taken, well before the next one.
    const uint32_t detection_ms = be32(file, 8);
    EXPECT_GE(detection_ms, detection->ms);
    EXPECT_LT(detection_ms, detection->ms + 15);
    // Raw counts around 512; a hard stop reads well below it on axis 1.
    const double g1 = (static_cast<int>(be16(file, 12)) - 512) * 0.01468;
    EXPECT_LT(g1, -0.45);
    EXPECT_GT(g1, -1.0);
    EXPECT_NEAR((static_cast<int>(be16(file, 14)) - 512) * 0.01468, 0.0, 0.4);
    const int64_t speed = bcd(file, 16, 2);
    EXPECT_GT(speed, 25);
    EXPECT_LE(speed, 70);
    EXPECT_EQ(Bytes(file.begin() + 18, file.begin() + 32), Bytes(14, 0));
}

TEST_F(EventArchiveTest, IndexEntriesPointAtTheFirstPictureOfEachSecond)
{
    const Bytes& file = event->bytes;
    const size_t n = file[32];
    EXPECT_EQ(n, 18u); // 540 frames at 30 per second
    EXPECT_EQ(Bytes(file.begin() + 33, file.begin() + 48), Bytes(15, 0));
    const uint32_t first_ms = be32(file, 48 + 4);
    for (size_t i = 0; i < n; ++i) {
        const size_t offset = be32(file, 48 + 8 * i);
        const uint32_t ms = be32(file, 48 + 8 * i + 4);
        EXPECT_EQ(file.at(offset + 12), 0x55) << "entry " << i;
        EXPECT_EQ(be32(file, offset + 4), ms);
        EXPECT_EQ((ms - first_ms) / 1000, i);
    }
}

TEST_F(EventArchiveTest, BlocksChainFromTheIndexToTheEndOfTheFile)
{
    const auto blocks = chain();
    ASSERT_EQ(blocks.size(), event->blocks.size());
    for (size_t i = 0; i < blocks.size(); ++i) {
        EXPECT_EQ(blocks[i].offset, event->blocks[i].offset);
        EXPECT_EQ(blocks[i].ms, event->blocks[i].ms);
    }
    // First the information block: a picture block whose payload starts with model code and
    // signature and holds nothing else a viewer reads.
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(event->blocks[0].kind, BlockKind::information);
    EXPECT_EQ(blocks[0].type, 0x55);
    EXPECT_EQ(event->bytes[blocks[0].offset + 64], 0x03);
    EXPECT_EQ(event->bytes[blocks[0].offset + 65], 0x12);
    EXPECT_TRUE(has_signature_at(event->bytes, blocks[0].offset + 66));
}

TEST_F(EventArchiveTest, EveryPictureBlockCarriesTheSignatureAndARestorableJpeg)
{
    int pictures = 0;
    const auto blocks = chain();
    for (const ChainBlock& block : blocks) {
        if (block.type != 0x55 || block.offset == blocks.front().offset) {
            continue;
        }
        ++pictures;
        EXPECT_TRUE(has_signature_at(event->bytes, block.offset + 66)) << block.offset;
        EXPECT_GT(block.payload_size, 16u);
        EXPECT_LE(block.payload_size, 1048576u);
        if (pictures % 97 == 1) {
            const Decoded picture = decode_jpeg(restore_jpeg(&event->bytes[block.offset + 64], block.payload_size));
            EXPECT_TRUE(picture.ok);
            EXPECT_EQ(picture.width, 64);
        }
    }
    EXPECT_EQ(pictures, 540);
}

TEST_F(EventArchiveTest, PicturesFallIntoTheirOwnSlotOnTheThirtyPerSecondClock)
{
    const uint32_t t0 = event->first_ms;
    int expected = 0;
    for (const WrittenBlock& block : event->blocks) {
        if (block.kind != BlockKind::picture) {
            continue;
        }
        EXPECT_EQ(block.frame, expected);
        EXPECT_EQ((static_cast<int64_t>(block.ms) - t0) * 30 / 1000, expected) << "ms " << block.ms - t0;
        ++expected;
    }
}

TEST_F(EventArchiveTest, FrameStampsAreValidBcdAndFollowTheStory)
{
    int previous_number = 0;
    for (const WrittenBlock& block : event->blocks) {
        if (block.kind != BlockKind::picture) {
            continue;
        }
        const size_t at = block.offset;
        const Bytes& file = event->bytes;
        EXPECT_EQ(file[at + 32], 0);
        const int64_t number = bcd(file, at + 33, 2);
        EXPECT_EQ(number, previous_number + 1);
        previous_number = static_cast<int>(number);
        for (size_t field : {36, 42, 44, 46, 48, 52}) {
            EXPECT_GE(bcd(file, at + field, field >= 48 ? 4 : 2), 0) << "field " << field;
        }
        const double g1 = g_of_digits(bcd(file, at + 42, 2));
        EXPECT_NEAR(g1, block.stamp.g1, 0.0006);
        EXPECT_LE(bcd(file, at + 46, 2), 180);
        EXPECT_EQ(be16(file, at + 59), block.stamp.aux);
        EXPECT_EQ(file[at + 61], 0);
    }
    // Moving before the stop, standing at the end.
    const WrittenBlock& last = event->blocks.back().kind == BlockKind::picture ? event->blocks.back()
                                                                               : event->blocks[event->blocks.size() - 2];
    EXPECT_EQ(bcd(event->bytes, last.offset + 46, 2), 0);
}

TEST_F(EventArchiveTest, SoundBlocksCarry200MsOfSamplesPaddedToWholeWords)
{
    Bytes samples;
    int index = 0;
    for (const ChainBlock& block : chain()) {
        if (block.type != 0xAA) {
            continue;
        }
        EXPECT_EQ(block.ms, event->first_ms + 200u * static_cast<uint32_t>(index));
        EXPECT_EQ(be32(event->bytes, block.offset + 8), 2205u);
        EXPECT_EQ(block.payload_size, 2208u);
        const auto payload = event->bytes.begin() + static_cast<long>(block.offset + 64);
        samples.insert(samples.end(), payload, payload + 2205);
        EXPECT_EQ(Bytes(payload + 2205, payload + 2208), Bytes(3, 0x80));
        ++index;
    }
    EXPECT_EQ(index, 90); // 18 s
    EXPECT_EQ(samples, event->sound);
}

TEST_F(EventArchiveTest, SoundIsLouderWhileDrivingThanStandingAndBeepsAtTheEvent)
{
    auto loudness = [](const Bytes& s, size_t from, size_t count) {
        double sum = 0;
        for (size_t i = from; i < from + count; ++i) {
            sum += (s[i] - 128.0) * (s[i] - 128.0);
        }
        return std::sqrt(sum / static_cast<double>(count));
    };
    const Bytes& s = event->sound;
    const double driving = loudness(s, 11025 * 2, 11025);
    const double standing = loudness(s, 11025 * 16, 11025);
    const double beep = loudness(s, static_cast<size_t>(11025 * 12.05), 1000);
    EXPECT_GT(driving, standing * 1.5);
    EXPECT_GT(beep, driving);
    EXPECT_GT(standing, 0.5); // idling, not silence
}

TEST(EventArchive, SameSeedSameBytesOtherSeedOtherBytes)
{
    EventOptions options = small_event(9);
    options.frames = 40;
    options.detection_frame = 20;
    const WrittenArchive a = make_event(options);
    EXPECT_EQ(make_event(options).bytes, a.bytes);
    options.seed = 10;
    EXPECT_NE(make_event(options).bytes, a.bytes);
}

TEST(EventArchive, KindAndHeaderExtrasAreWrittenAsAsked)
{
    EventOptions options = small_event();
    options.frames = 30;
    options.detection_frame = 10;
    options.kind = kind_manual_event;
    options.header_byte = 0x5C;
    options.header_flag = true;
    options.sound = false;
    const WrittenArchive event = make_event(options);
    EXPECT_EQ(event.bytes[0], 0x20);
    EXPECT_EQ(event.bytes[28], 0x5C);
    EXPECT_EQ(event.bytes[29], 0x01);
    bool complete = false;
    for (const ChainBlock& block : block_chain(event.bytes, complete)) {
        EXPECT_NE(block.type, 0xAA);
    }
    EXPECT_TRUE(complete);
    EXPECT_TRUE(event.sound.empty());
}

TEST(EventArchive, VideoInfRepeatsTheHeaderAndCountsTheBlocks)
{
    EventOptions options = small_event();
    options.frames = 30;
    options.detection_frame = 10;
    const WrittenArchive event = make_event(options);
    const Bytes inf = make_video_inf(event);
    ASSERT_EQ(inf.size(), 48u);
    EXPECT_EQ(Bytes(inf.begin(), inf.begin() + 32), Bytes(event.bytes.begin(), event.bytes.begin() + 32));
    EXPECT_EQ(be32(inf, 32), 30u);
    EXPECT_EQ(be32(inf, 36), 5u); // 1 s of sound in 200 ms blocks
    EXPECT_EQ(be32(inf, 40), event.bytes.size());
}

TEST(EventArchive, SoundLayoutSetsBlockPeriodAndLength)
{
    EventOptions options = small_event();
    options.frames = 30;
    options.detection_frame = 10;
    options.sound_layout.period_ms = 100;
    const auto sound_blocks = [](const WrittenArchive& event) {
        std::vector<ChainBlock> found;
        bool complete = false;
        for (const ChainBlock& block : block_chain(event.bytes, complete)) {
            if (block.type == 0xAA) {
                found.push_back(block);
            }
        }
        return found;
    };
    // Exactly the period's samples: 1102 and 1103 by turns, a second's worth in ten blocks.
    const WrittenArchive exact = make_event(options);
    const auto blocks = sound_blocks(exact);
    ASSERT_EQ(blocks.size(), 10u);
    uint32_t total = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const uint32_t length = be32(exact.bytes, blocks[i].offset + 8);
        EXPECT_TRUE(length == 1102 || length == 1103) << length;
        EXPECT_EQ(blocks[i].ms, exact.first_ms + 100 * static_cast<uint32_t>(i));
        total += length;
    }
    EXPECT_EQ(total, 11025u);
    EXPECT_EQ(exact.sound.size(), 11025u);

    // Fewer samples than the period: every block carries 800.
    options.sound_layout.samples = 800;
    const WrittenArchive short_blocks = make_event(options);
    for (const ChainBlock& block : sound_blocks(short_blocks)) {
        EXPECT_EQ(be32(short_blocks.bytes, block.offset + 8), 800u);
        EXPECT_EQ(block.payload_size, 800u);
    }
    EXPECT_EQ(short_blocks.sound.size(), 8000u);
}

TEST(EventArchive, FullSizePicturesAre640By480)
{
    EventOptions options;
    options.frames = 3;
    options.detection_frame = 1;
    const WrittenArchive event = make_event(options);
    const WrittenBlock& frame = event.blocks.at(1);
    ASSERT_EQ(frame.kind, BlockKind::picture);
    const Decoded picture = decode_jpeg(restore_jpeg(&event.bytes[frame.payload_offset()], frame.payload_size));
    ASSERT_TRUE(picture.ok);
    EXPECT_EQ(picture.width, 640);
    EXPECT_EQ(picture.height, 480);
}

} // namespace
