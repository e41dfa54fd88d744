#include "samplecard/PictureRecording.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace samplecard;
using namespace samplecard_test;

PictureOptions picture_options()
{
    PictureOptions options;
    options.seed = 12;
    options.time = CivilTime{2011, 8, 3, 10, 20, 30};
    options.number = 7;
    return options;
}

TEST(PictureFile, IsOnePictureBlockAndNothingElse)
{
    const WrittenArchive picture = make_picture(picture_options());
    const Bytes& file = picture.bytes;
    ASSERT_GT(file.size(), 64u + 16u);
    EXPECT_EQ(be32(file, 0), file.size() - 64);
    EXPECT_EQ(file[12], 0x55);
    EXPECT_EQ(file[32], 1);
    EXPECT_EQ(bcd(file, 33, 2), 7);
    EXPECT_EQ(Bytes(file.begin() + 36, file.begin() + 42), (Bytes{0x11, 0x08, 0x03, 0x10, 0x20, 0x30}));
    EXPECT_EQ(file[64], 0x03);
    EXPECT_EQ(file[65], 0x12);
    EXPECT_TRUE(has_signature_at(file, 66));
    const Decoded decoded = decode_jpeg(restore_jpeg(&file[64], file.size() - 64));
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.width, 640);
    EXPECT_EQ(decoded.height, 480);
    EXPECT_EQ(make_picture(picture_options()).bytes, file);
}

TEST(PictureFile, FaultsAndOddDatesAreWrittenAsAsked)
{
    PictureOptions options = picture_options();
    options.picture = PictureFormat{64, 48, 40};
    options.invalid_date = true;
    const Bytes undated = make_picture(options).bytes;
    EXPECT_EQ(Bytes(undated.begin() + 36, undated.begin() + 42), (Bytes{0x11, 0x02, 0x30, 0x10, 0x20, 0x30}));
    options.invalid_date = false;
    options.broken_signature = true;
    EXPECT_FALSE(has_signature_at(make_picture(options).bytes, 66));
    options.broken_signature = false;
    options.truncate_to = 70;
    EXPECT_EQ(make_picture(options).bytes.size(), 70u);
    options.truncate_to = -1;
    options.model = ModelCode{0x02, 0x50};
    const Bytes other_model = make_picture(options).bytes;
    EXPECT_EQ(other_model[64], 0x02);
    EXPECT_EQ(other_model[65], 0x50);
}

TEST(PictureFile, NamesAreGroupDashThreeDigitNumber)
{
    EXPECT_EQ(picture_name(1, 7), L"1-007.dpc");
    EXPECT_EQ(picture_name(0, 123), L"0-123.dpc");
}

} // namespace
