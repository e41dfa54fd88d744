// The block stream of event and chapter files: header and preamble boundaries, block
// boundaries, resynchronisation after damage and the limits of the reading loop. Each case is
// read twice: from the file, and from the file's bytes already in memory (as the clip export
// reads them), which must come out the same.
#include "ArchiveFixture.h"

namespace {

using MissingFile = ArchiveFixture;

class BlockStream : public ArchiveFixture, public ::testing::WithParamInterface<bool> {
protected:
    bool from_memory() const { return GetParam(); }
    void load_event(const Bytes& bytes)
    {
        from_memory() ? archive.load_event_bytes(bytes) : ArchiveFixture::load_event(bytes);
    }
    void load_chapter(const Bytes& bytes)
    {
        from_memory() ? archive.load_chapter_bytes(bytes) : ArchiveFixture::load_chapter(bytes);
    }
};

INSTANTIATE_TEST_SUITE_P(FileAndMemory, BlockStream, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Memory" : "File"; });

const std::wstring unreadable = L"該当データを読み込めません。";

Bytes truncated(Bytes bytes, size_t size)
{
    bytes.resize(size);
    return bytes;
}

Bytes filler(size_t size)
{
    return Bytes(size, 0x33);
}

TEST_P(BlockStream, HeaderAndPreambleMustBeComplete)
{
    const Bytes start = ArchiveBuilder().bytes();
    ASSERT_EQ(start.size(), 48u);
    for (const size_t size : {size_t{0}, size_t{31}, size_t{32}, size_t{47}}) {
        EXPECT_EQ(archive_failure([&] { load_event(truncated(start, size)); }), unreadable) << size;
        EXPECT_EQ(archive.sound_path(), L"") << "a failed load leaves no sound file behind";
    }
    load_event(start);
    EXPECT_EQ(archive.frame_count(), 0);
    EXPECT_EQ(archive.is_open(), !from_memory()) << "bytes in memory leave no file open";
}

TEST_F(MissingFile, CannotBeRead)
{
    EXPECT_EQ(archive_failure([&] { archive.load_event(folder.file(L"none.dvt")); }), unreadable);
    EXPECT_EQ(archive_failure([&] { archive.load_chapter(folder.file(L"none.dmv")); }), unreadable);
    EXPECT_FALSE(archive.is_open());
}

TEST_P(BlockStream, IndexEntriesAreSkippedUnread)
{
    for (const int entries : {0, 1, 3, 255}) {
        ArchiveBuilder builder(HeaderFields(), entries);
        builder.information_block().picture(1000).picture(1100);
        load_event(builder.bytes());
        EXPECT_EQ(archive.frame_count(), 4) << entries;
        EXPECT_EQ(archive.frame_record(0)->payload_position, 48 + entries * 8 + 112 + 64) << entries;
    }
    // Announced entries that the file does not hold: nothing follows.
    EXPECT_NO_THROW(load_event(truncated(ArchiveBuilder(HeaderFields(), 4).bytes(), 48 + 20)));
    EXPECT_EQ(archive.frame_count(), 0);
}

TEST_P(BlockStream, ABlockNeedsItsHeaderAndSixteenPayloadBytes)
{
    ArchiveBuilder builder;
    builder.information_block().picture(1000).picture(1100, 40);
    const size_t last_block = builder.size() - 64 - 40;
    for (const size_t extra : {size_t{64 + 15}, size_t{64 + 16}, size_t{64 + 17}}) {
        load_event(truncated(builder.bytes(), last_block + extra));
        // A block cut short in its payload still tells its frame; only its picture is lost.
        EXPECT_EQ(archive.frame_count(), extra >= 80 ? 4 : 1) << extra;
    }
    // The information block itself cut short: no frame at all.
    load_event(truncated(builder.bytes(), 48 + 79));
    EXPECT_EQ(archive.frame_count(), 0);
}

TEST_P(BlockStream, TheInformationBlockMustCarryTheModelCode)
{
    ArchiveBuilder wrong;
    wrong.information_block(0x03, 0x13).picture(1000);
    EXPECT_EQ(archive_failure([&] { load_event(wrong.bytes()); }), unreadable);
    EXPECT_EQ(archive.frame_count(), 0);
    EXPECT_FALSE(archive.is_open());

    // A sound block before it is not the information block.
    ArchiveBuilder sound_first;
    sound_first.sound(900, Bytes(10, 0x10)).information_block().picture(1000);
    load_event(sound_first.bytes());
    EXPECT_EQ(archive.frame_count(), 1);
}

TEST_P(BlockStream, PicturesWithoutPayloadAreDropped)
{
    BlockFields empty;
    empty.ms = 1050;
    empty.payload_size = 0;
    ArchiveBuilder builder;
    builder.information_block().picture(1000).raw(block(empty, picture_mask())).picture(1100);
    load_event(builder.bytes());
    EXPECT_EQ(slot_times(), (std::vector<int>{1000, 1000, 1000, 1100}));
}

TEST_P(BlockStream, ABrokenSignatureIsPassedBySearchingForTheNext)
{
    BlockFields broken;
    broken.ms = 1033;
    Bytes payload = masked_payload(200);
    payload[5] = 'X';
    ArchiveBuilder builder;
    builder.information_block().picture(1000).picture(broken, payload).picture(1100);
    load_event(builder.bytes());
    EXPECT_EQ(slot_times(), (std::vector<int>{1000, 1000, 1000, 1100}));

    // With no signature after it the file ends there, without a failure.
    ArchiveBuilder ending;
    ending.information_block().picture(1000).picture(broken, payload).raw(filler(5000));
    load_event(ending.bytes());
    EXPECT_EQ(slot_times(), (std::vector<int>{1000}));
}

TEST_P(BlockStream, TheSearchForASignatureReachesOneMebibyte)
{
    // The search starts after the broken block's header and covers 1 MiB from there.
    for (const size_t shift : {size_t{0}, size_t{1}}) {
        BlockFields broken;
        broken.ms = 1033;
        broken.payload_size = 16;
        ArchiveBuilder builder;
        builder.information_block().picture(1000);
        const size_t search_start = builder.size() + 64;
        builder.raw(block(broken, Bytes(16, 0)));
        // The next block's signature ends exactly at the end of the search (or one byte after).
        const size_t next_block = search_start + 1048576 - 14 - 66 + shift;
        builder.raw(filler(next_block - builder.size())).picture(1100);
        load_event(builder.bytes());
        EXPECT_EQ(archive.frame_count(), shift == 0 ? 4 : 1) << shift;
    }
}

TEST_P(BlockStream, AMisplacedReadingFindsTheBlockAgain)
{
    // A sound block whose size is a little off leaves the reading beside the next block.
    for (const int error : {-2, -1, 1, 2}) {
        BlockFields sound;
        sound.type = 0xAA;
        sound.ms = 1000;
        sound.sound_length = 100;
        sound.payload_size = 100 + error;
        ArchiveBuilder builder;
        builder.information_block().picture(1000).raw(block(sound, Bytes(100, 0x40))).picture(1100);
        load_event(builder.bytes());
        EXPECT_EQ(slot_times(), (std::vector<int>{1000, 1000, 1000, 1100})) << error;
    }
}

TEST_P(BlockStream, ANegativeSizeNeverStepsBack)
{
    BlockFields negative;
    negative.ms = 1033;
    negative.payload_size = -144; // literally: back onto its own header, for ever
    ArchiveBuilder builder;
    builder.information_block().picture(1000).picture(negative, masked_payload(80)).picture(1100);
    load_event(builder.bytes());
    EXPECT_EQ(slot_times(), (std::vector<int>{1000, 1000, 1000, 1100}));

    BlockFields negative_sound = negative;
    negative_sound.type = 0xAA;
    negative_sound.sound_length = 50;
    ArchiveBuilder sound;
    sound.information_block().picture(1000).picture(negative_sound, Bytes(80, 0x20)).picture(1100);
    load_event(sound.bytes());
    EXPECT_EQ(slot_times(), (std::vector<int>{1000, 1000, 1000, 1100}));

    // Every block damaged alike: the reading still ends.
    ArchiveBuilder all;
    all.information_block();
    for (int i = 0; i < 50; ++i) {
        all.picture(negative, masked_payload(20));
    }
    load_event(all.bytes());
    EXPECT_EQ(archive.frame_count(), 0);
}

TEST_P(BlockStream, ForeignBlocksAreDropped)
{
    BlockFields foreign;
    foreign.type = 0x33;
    foreign.ms = 1033;
    ArchiveBuilder builder;
    builder.information_block().picture(1000).picture(foreign, masked_payload(300)).picture(1100);
    load_event(builder.bytes());
    EXPECT_EQ(slot_times(), (std::vector<int>{1000, 1000, 1000, 1100}));
}

TEST_P(BlockStream, ReadingStopsAt900Pictures)
{
    ArchiveBuilder builder;
    builder.information_block();
    for (int i = 0; i < 900; ++i) {
        builder.picture(10000 + i * 100, 20);
    }
    builder.picture(0, 20); // would move the clock's start if it were read
    load_chapter(builder.bytes());
    EXPECT_EQ(archive.frame_count(), 900);
    EXPECT_EQ(archive.frame_record(0)->ms, 10000);
}

TEST_P(BlockStream, ReadingStopsAt900SoundBlocks)
{
    ArchiveBuilder builder;
    builder.information_block().picture(1000);
    for (int i = 0; i < 900; ++i) {
        builder.sound(1000 + i, Bytes(1, 0x81));
    }
    builder.picture(1100);
    load_event(builder.bytes());
    EXPECT_EQ(archive.frame_count(), 1);
}

} // namespace
