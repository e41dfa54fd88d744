#include "samplecard/ContinuousRecording.h"
#include "samplecard/EventRecording.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace samplecard;
using namespace samplecard_test;

EventOptions tiny_event()
{
    EventOptions options;
    options.seed = 21;
    options.frames = 30;
    options.detection_frame = 12;
    options.picture = PictureFormat{64, 48, 40};
    return options;
}

// The chained blocks that are pictures of frame `frame` (by their BCD picture number).
std::vector<ChainBlock> picture_blocks_of(const Bytes& file, int frame)
{
    bool complete = false;
    std::vector<ChainBlock> found;
    for (const ChainBlock& block : block_chain(file, complete)) {
        if (block.type == 0x55 && bcd(file, block.offset + 33, 2) == frame + 1 && file[block.offset + 32] == 0) {
            found.push_back(block);
        }
    }
    return found;
}

TEST(FaultOptions, HealthyFileHasOnePictureBlockPerFrame)
{
    const Bytes file = make_event(tiny_event()).bytes;
    for (int frame = 0; frame < 30; ++frame) {
        EXPECT_EQ(picture_blocks_of(file, frame).size(), 1u) << frame;
    }
}

TEST(FaultOptions, MissingFramesHaveNoBlockAtAll)
{
    EventOptions options = tiny_event();
    options.faults.missing_frames = {0, 7, 29};
    const WrittenArchive event = make_event(options);
    for (int frame = 0; frame < 30; ++frame) {
        EXPECT_EQ(picture_blocks_of(event.bytes, frame).size(), options.faults.missing_frames.count(frame) ? 0u : 1u)
            << frame;
    }
    bool complete = false;
    block_chain(event.bytes, complete);
    EXPECT_TRUE(complete);
}

TEST(FaultOptions, DuplicateFramesComeTwiceInTheSameSlot)
{
    EventOptions options = tiny_event();
    options.faults.duplicate_frames = {5};
    const WrittenArchive event = make_event(options);
    const auto copies = picture_blocks_of(event.bytes, 5);
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[1].offset, copies[0].offset + 64 + copies[0].payload_size); // one after the other
    EXPECT_EQ(copies[1].ms, copies[0].ms + 10);
    EXPECT_EQ((copies[1].ms - event.first_ms) * 30 / 1000, 5u);
    EXPECT_EQ((copies[0].ms - event.first_ms) * 30 / 1000, 5u);
    const auto payload = [&](const ChainBlock& b) {
        return Bytes(event.bytes.begin() + static_cast<long>(b.offset + 64),
                     event.bytes.begin() + static_cast<long>(b.offset + 64 + b.payload_size));
    };
    EXPECT_EQ(payload(copies[0]), payload(copies[1]));

    options.faults.duplicate_delay_ms = 20;
    const auto later = picture_blocks_of(make_event(options).bytes, 5);
    ASSERT_EQ(later.size(), 2u);
    EXPECT_EQ(later[1].ms, later[0].ms + 20);
}

TEST(FaultOptions, BrokenSignatureDamagesOnlyThatBlocksSignature)
{
    EventOptions options = tiny_event();
    options.faults.broken_signatures = {9};
    const WrittenArchive event = make_event(options);
    const WrittenArchive healthy = make_event(tiny_event());
    ASSERT_EQ(event.bytes.size(), healthy.bytes.size());
    const auto blocks = picture_blocks_of(event.bytes, 9);
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_FALSE(has_signature_at(event.bytes, blocks[0].offset + 66));
    // Exactly one byte differs from the healthy file: a letter of that signature.
    size_t differences = 0;
    size_t where = 0;
    for (size_t i = 0; i < event.bytes.size(); ++i) {
        if (event.bytes[i] != healthy.bytes[i]) {
            ++differences;
            where = i;
        }
    }
    EXPECT_EQ(differences, 1u);
    EXPECT_GE(where, blocks[0].offset + 66);
    EXPECT_LT(where, blocks[0].offset + 66 + 12);
}

TEST(FaultOptions, ForeignBlocksHaveTheirOwnTypeAndComeBeforeTheFrame)
{
    EventOptions options = tiny_event();
    options.faults.foreign_blocks_before = {4, 20};
    options.faults.foreign_type = 0x77;
    const WrittenArchive event = make_event(options);
    bool complete = false;
    const auto chain = block_chain(event.bytes, complete);
    EXPECT_TRUE(complete);
    std::vector<size_t> foreign;
    for (size_t i = 0; i < chain.size(); ++i) {
        if (chain[i].type == 0x77) {
            foreign.push_back(i);
            ASSERT_LT(i + 1, chain.size());
            // The recorder's next picture follows (after any sound block that was due).
            size_t next = i + 1;
            while (chain[next].type == 0xAA) {
                ++next;
            }
            EXPECT_EQ(chain[next].type, 0x55);
            const int64_t frame = bcd(event.bytes, chain[next].offset + 33, 2) - 1;
            EXPECT_TRUE(frame == 4 || frame == 20) << frame;
        } else {
            EXPECT_TRUE(chain[i].type == 0x55 || chain[i].type == 0xAA);
        }
    }
    EXPECT_EQ(foreign.size(), 2u);
}

TEST(FaultOptions, TruncationCutsTheSameBytes)
{
    EventOptions options = tiny_event();
    const WrittenArchive whole = make_event(options);
    for (const int64_t size : {int64_t{0}, int64_t{31}, int64_t{47}, static_cast<int64_t>(whole.blocks[3].offset + 70)}) {
        options.faults.truncate_to = size;
        const WrittenArchive cut = make_event(options);
        ASSERT_EQ(cut.bytes.size(), static_cast<size_t>(size));
        EXPECT_TRUE(std::equal(cut.bytes.begin(), cut.bytes.end(), whole.bytes.begin()));
        EXPECT_EQ(cut.full_size, whole.bytes.size());
    }
    options.faults.truncate_to = static_cast<int64_t>(whole.bytes.size()) + 10; // longer: left whole
    EXPECT_EQ(make_event(options).bytes, whole.bytes);
}

TEST(FaultOptions, InformationBlockCanBeLeftOutOrCarryAnotherModel)
{
    EventOptions options = tiny_event();
    options.faults.information_model = ModelCode{0x04, 0x01};
    const WrittenArchive foreign_model = make_event(options);
    const size_t first = foreign_model.blocks.front().offset;
    EXPECT_EQ(foreign_model.blocks.front().kind, BlockKind::information);
    EXPECT_EQ(foreign_model.bytes[first + 64], 0x04);
    EXPECT_EQ(foreign_model.bytes[first + 65], 0x01);
    // The frames keep the recorder's own model code.
    EXPECT_EQ(foreign_model.bytes[foreign_model.blocks[1].offset + 64], 0x03);

    options = tiny_event();
    options.faults.omit_information_block = true;
    const WrittenArchive without = make_event(options);
    EXPECT_EQ(without.blocks.front().kind, BlockKind::picture);
    EXPECT_EQ(without.blocks.front().frame, 0);
    EXPECT_EQ(without.blocks.front().offset, 48 + 8 * static_cast<size_t>(without.bytes[32]));
}

TEST(FaultOptions, FlaggedFramesSetBitZeroOfByte61)
{
    EventOptions options = tiny_event();
    options.faults.flagged_frames = {2, 3};
    const WrittenArchive event = make_event(options);
    for (const WrittenBlock& block : event.blocks) {
        if (block.kind == BlockKind::picture) {
            EXPECT_EQ(event.bytes[block.offset + 61], block.frame == 2 || block.frame == 3 ? 1 : 0) << block.frame;
        }
    }
}

TEST(FaultOptions, ChapterFaultsApplyToTheirChapterOnly)
{
    ContinuousOptions options;
    options.seed = 4;
    options.chapters = 2;
    options.chapter_frames = 12;
    options.picture = PictureFormat{64, 48, 40};
    options.faults[1].missing_frames = {0, 1};
    const ContinuousRecording recording(options);
    EXPECT_EQ(picture_blocks_of(recording.chapter(0).bytes, 0).size(), 1u);
    EXPECT_EQ(picture_blocks_of(recording.chapter(1).bytes, 0).size(), 0u);
    EXPECT_EQ(picture_blocks_of(recording.chapter(1).bytes, 2).size(), 1u);
}

} // namespace
