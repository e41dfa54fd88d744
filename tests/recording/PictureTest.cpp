// Picture files of image folders, and the pictures of every kind of file: restored from the
// recorder's mask and decoded.
#include "ArchiveFixture.h"

#include "support/TestJpeg.h"
#include "image/Image.h"

namespace {

using Pictures = ArchiveFixture;

const std::wstring unreadable = L"該当データを読み込めません。";

uint32_t quarters(int x, int y)
{
    // Red top left, green top right, blue bottom left, white bottom right on a 64 x 48 picture.
    if (y < 24) {
        return x < 32 ? 0xFF0000u : 0x00FF00u;
    }
    return x < 32 ? 0x0000FFu : 0xFFFFFFu;
}

// A picture file: one block whose payload is `payload`.
Bytes picture_file(const BlockFields& fields, const Bytes& payload)
{
    return block(fields, payload);
}

BlockFields dated(int second)
{
    BlockFields fields;
    fields.time = bcd_date(10, 1, 2, 3, 4, second);
    return fields;
}

// The blue, green, red bytes of the pixel at (x, y), y counted from the top.
std::array<int, 3> pixel(const Image& image, int x, int y)
{
    const uint8_t* p = image.pixels() + (static_cast<size_t>(image.height() - 1 - y) * image.width() + x) * 4;
    return {p[0], p[1], p[2]};
}

void expect_near_colour(const Image& image, int x, int y, std::array<int, 3> bgr)
{
    const auto got = pixel(image, x, y);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(got[i], bgr[i], 12) << "at " << x << "," << y << " byte " << i;
    }
}

TEST_F(Pictures, APictureOfAnEventFileIsRestoredAndDecoded)
{
    const Bytes jpeg = recorder_layout(encode_colour_jpeg(64, 48, quarters));
    const Bytes payload = recorder_payload(encode_colour_jpeg(64, 48, quarters));
    ArchiveBuilder builder;
    builder.information_block().picture(BlockFields{}, payload);
    load_event(builder.bytes());
    std::vector<uint8_t> restored;
    ASSERT_TRUE(archive.frame_jpeg(0, restored));
    EXPECT_EQ(restored, jpeg) << "the recorder's own JPEG file, byte for byte";
    const std::unique_ptr<Image> image = archive.frame_picture(0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width(), 64);
    EXPECT_EQ(image->height(), 48);
    expect_near_colour(*image, 8, 8, {0, 0, 255});
    expect_near_colour(*image, 56, 8, {0, 255, 0});
    expect_near_colour(*image, 8, 40, {255, 0, 0});
    expect_near_colour(*image, 56, 40, {255, 255, 255});
    EXPECT_EQ(image->pixels()[3], 0);
}

TEST_F(Pictures, OnlyCompleteMaskedPayloadsOfSaneSizeAreDecoded)
{
    const Bytes good = recorder_payload(encode_colour_jpeg(64, 48, quarters));
    Bytes wrong_code = good;
    wrong_code[1] = 0x13;
    Bytes broken_signature = good;
    broken_signature[15] = 1;

    ArchiveBuilder builder;
    builder.information_block()
        .picture(BlockFields{}, good)
        .picture(BlockFields{.payload_size = {}, .ms = 34}, wrong_code)
        .picture(BlockFields{.payload_size = {}, .ms = 67}, broken_signature)
        .picture(BlockFields{.payload_size = 16, .ms = 100}, picture_mask())
        .picture(BlockFields{.payload_size = static_cast<int32_t>(good.size() + 1), .ms = 134}, good);
    load_event(builder.bytes());
    ASSERT_EQ(archive.frame_count(), 5);
    EXPECT_NE(archive.frame_picture(0), nullptr);
    EXPECT_EQ(archive.frame_picture(1), nullptr);
    EXPECT_EQ(archive.frame_picture(2), nullptr);
    EXPECT_EQ(archive.frame_picture(3), nullptr); // a 16-byte payload is only the mask
    EXPECT_EQ(archive.frame_picture(4), nullptr); // the file ends one byte early
    EXPECT_EQ(archive.frame_picture(-1), nullptr);
    EXPECT_EQ(archive.frame_picture(5), nullptr);
    // The undecoded JPEG is handed out under the same conditions.
    std::vector<uint8_t> jpeg;
    EXPECT_TRUE(archive.frame_jpeg(0, jpeg));
    EXPECT_EQ(jpeg.size(), good.size());
    for (const int index : {1, 2, 3, 4, -1, 5}) {
        EXPECT_FALSE(archive.frame_jpeg(index, jpeg)) << index;
    }
    archive.reset();
    EXPECT_EQ(archive.frame_picture(0), nullptr);
    EXPECT_FALSE(archive.frame_jpeg(0, jpeg));
}

TEST_F(Pictures, PayloadsUpToOneMebibyteAreDecoded)
{
    for (const size_t size : {size_t{1048576}, size_t{1048577}}) {
        Bytes payload = recorder_payload(encode_colour_jpeg(64, 48, quarters));
        payload.resize(size, 0); // bytes after the end of the picture are never read
        ArchiveBuilder builder;
        builder.information_block().picture(BlockFields{}, payload);
        load_event(builder.bytes());
        EXPECT_EQ(archive.frame_picture(0) != nullptr, size == 1048576) << size;
    }
}

TEST_F(Pictures, APictureFileDescribesItself)
{
    BlockFields fields = dated(9);
    fields.g1_bcd = 8250;
    fields.g2_bcd = 1500;
    fields.speed = 77;
    fields.aux_word = 0x1234;
    fields.flag_byte = 0x03;
    fields.group = 2;
    fields.number = 15;
    const Bytes payload = recorder_payload(encode_grey_jpeg(32, 16, [](int x, int) { return x < 16 ? 0x404040u : 0xC0C0C0u; }));
    const std::wstring path = folder.write(L"2-015.dpc", picture_file(fields, payload));
    archive.load_picture_file(path);
    EXPECT_TRUE(archive.is_open());
    EXPECT_EQ(archive.frame_count(), 1);
    EXPECT_EQ(archive.kind_code(), 11);
    EXPECT_EQ(archive.header_time(), jst_seconds(2010, 1, 2, 3, 4, 9));
    EXPECT_EQ(archive.recording_time(), archive.header_time());
    EXPECT_EQ(archive.start_time(), archive.header_time());
    EXPECT_DOUBLE_EQ(archive.header_g1(), -0.25);
    EXPECT_DOUBLE_EQ(archive.header_g2(), 1.5);
    EXPECT_EQ(archive.header_speed(), 77);
    EXPECT_EQ(archive.header_byte(), 0x34);
    EXPECT_EQ(archive.header_flag(), 1);
    EXPECT_TRUE(archive.any_flag());
    EXPECT_EQ(archive.detection_ms(), 0);
    EXPECT_EQ(archive.detection_index(), -1);
    EXPECT_EQ(archive.sound_path(), L"");
    const FrameRecord* record = archive.frame_record(0);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->path, path);
    EXPECT_EQ(record->payload_position, 64);
    EXPECT_EQ(record->picture_group, 2);
    EXPECT_EQ(record->picture_number, 15);

    const std::unique_ptr<Image> image = archive.frame_picture(0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width(), 32);
    const auto dark = pixel(*image, 4, 8);
    EXPECT_EQ(dark[0], dark[1]); // grey stays grey
    EXPECT_EQ(dark[1], dark[2]);
    EXPECT_NEAR(dark[0], 0x40, 8);
    EXPECT_NEAR(pixel(*image, 28, 8)[2], 0xC0, 8);
}

TEST_F(Pictures, AMissingOrShortPictureFileFails)
{
    try {
        archive.load_picture_file(folder.file(L"gone.dpc"));
        ADD_FAILURE() << "a missing picture loads";
    } catch (const VideoArchiveException& failure) {
        EXPECT_EQ(failure.message(), L"画像が移動または削除されました。");
    }
    const Bytes whole = picture_file(dated(1), masked_payload(16));
    for (const size_t size : {size_t{63}, size_t{79}}) {
        const std::wstring path = folder.write(L"short.dpc", Bytes(whole.begin(), whole.begin() + static_cast<long>(size)));
        try {
            archive.load_picture_file(path);
            ADD_FAILURE() << "a short picture loads";
        } catch (const VideoArchiveException&) {
            ADD_FAILURE() << "a read failure goes on as a plain Exception";
        } catch (const Exception& failure) {
            EXPECT_EQ(failure.message(), unreadable);
        }
        EXPECT_FALSE(archive.is_open());
        EXPECT_EQ(archive.frame_count(), 0);
    }
    archive.load_picture_file(folder.write(L"short.dpc", whole));
    EXPECT_EQ(archive.frame_count(), 1);
}

TEST_F(Pictures, AnImageFolderIsReadInTimeOrderWithUndatedPicturesFirst)
{
    BlockFields undated = dated(0);
    undated.time = bcd_date(9, 2, 30, 0, 0, 0);
    folder.write(L"c.dpc", picture_file(dated(30), masked_payload(20)));
    folder.write(L"a.DPC", picture_file(dated(10), masked_payload(20)));
    folder.write(L"b.dpc", picture_file(undated, masked_payload(20)));
    folder.write(L"d.dpc", picture_file(dated(20), masked_payload(20)));
    folder.write(L"e.dpc", Bytes(70, 0)); // too short: left out
    folder.write(L"f.jpg", picture_file(dated(5), masked_payload(20)));
    EXPECT_FALSE(archive.load_images(folder.path()));
    ASSERT_EQ(archive.frame_count(), 4);
    EXPECT_EQ(archive.frame_record(0)->time, 0);
    EXPECT_EQ(archive.frame_record(0)->path, folder.file(L"b.dpc"));
    EXPECT_EQ(archive.frame_record(1)->path, folder.file(L"a.DPC"));
    EXPECT_EQ(archive.frame_record(2)->path, folder.file(L"d.dpc"));
    EXPECT_EQ(archive.frame_record(3)->path, folder.file(L"c.dpc"));
    EXPECT_EQ(archive.kind_code(), 11);
    EXPECT_EQ(archive.start_time(), jst_seconds(2010, 1, 2, 3, 4, 10));
    EXPECT_EQ(archive.end_time(), jst_seconds(2010, 1, 2, 3, 4, 30));
    EXPECT_FALSE(archive.is_open()); // every picture file was closed again
    EXPECT_EQ(archive.frame_picture(1), nullptr);
}

TEST_F(Pictures, AnImageFolderShowsAtMost600Pictures)
{
    for (int i = 0; i < 601; ++i) {
        folder.write(std::to_wstring(i) + L".dpc", picture_file(dated(i % 60), masked_payload(16)));
    }
    EXPECT_TRUE(archive.load_images(folder.path()));
    EXPECT_EQ(archive.frame_count(), 600);
    for (int i = 1; i < 600; ++i) {
        ASSERT_LE(archive.frame_record(i - 1)->time, archive.frame_record(i)->time);
    }
}

TEST_F(Pictures, AFolderWithoutPictureFilesCannotBeRead)
{
    EXPECT_EQ(archive_failure([&] { archive.load_images(folder.path()); }), unreadable);
    folder.write(L"x.dvt", Bytes(100, 0));
    EXPECT_EQ(archive_failure([&] { archive.load_images(folder.path()); }), unreadable);
    EXPECT_EQ(archive_failure([&] { archive.load_images(folder.file(L"missing")); }), unreadable);
}

TEST_F(Pictures, OpeningAPictureOfTheFolder)
{
    const Bytes first = recorder_payload(encode_colour_jpeg(16, 16, [](int, int) { return 0xFF0000u; }));
    const Bytes second = recorder_payload(encode_colour_jpeg(24, 8, [](int, int) { return 0x0000FFu; }));
    folder.write(L"1.dpc", picture_file(dated(1), first));
    const std::wstring later = folder.write(L"2.dpc", picture_file(dated(2), second));
    archive.load_images(folder.path());
    ASSERT_EQ(archive.frame_count(), 2);

    archive.open_picture_file(1);
    EXPECT_TRUE(archive.is_open());
    std::unique_ptr<Image> image = archive.frame_picture(1);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width(), 24);
    expect_near_colour(*image, 4, 4, {255, 0, 0});

    archive.open_picture_file(0);
    image = archive.frame_picture(0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width(), 16);

    EXPECT_EQ(archive_failure([&] { archive.open_picture_file(2); }), unreadable);
    EXPECT_FALSE(archive.is_open());
    EXPECT_EQ(archive_failure([&] { archive.open_picture_file(-1); }), unreadable);
    ASSERT_TRUE(delete_file(later));
    EXPECT_EQ(archive_failure([&] { archive.open_picture_file(1); }), unreadable);
}

} // namespace
