#include "samplecard/DriveStory.h"
#include "samplecard/FrameMaker.h"
#include "samplecard/RecorderJpeg.h"
#include "samplecard/SceneRenderer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

using namespace samplecard;
using namespace samplecard_test;

// Marker positions of a JPEG's segments before the scan.
std::vector<std::pair<uint8_t, size_t>> segments(const Bytes& jpeg)
{
    std::vector<std::pair<uint8_t, size_t>> found;
    size_t at = 2;
    while (at + 4 <= jpeg.size() && jpeg[at] == 0xFF) {
        found.emplace_back(jpeg[at + 1], at);
        if (jpeg[at + 1] == 0xDA) {
            break;
        }
        at += 2 + be16(jpeg, at + 2);
    }
    return found;
}

int average_channel(const Decoded& picture, int x0, int y0, int size, int channel)
{
    long sum = 0;
    for (int y = y0; y < y0 + size; ++y) {
        for (int x = x0; x < x0 + size; ++x) {
            sum += picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3 + channel];
        }
    }
    return static_cast<int>(sum / (size * size));
}

class RecorderJpegTest : public ::testing::Test {
protected:
    Bytes frame(double distance, double pitch_g = 0)
    {
        SceneView view;
        view.distance_m = distance;
        view.pitch_g = pitch_g;
        view.stamp_left = "2011/06/08 08:20:54";
        view.stamp_right = "#0042";
        view.stamp_bottom = "044KM/H";
        return encoder.encode(renderer.render(view).data(), 640, 480);
    }

    SceneRenderer renderer{640, 480, 7};
    RecorderJpegEncoder encoder{70};
};

TEST_F(RecorderJpegTest, PictureStartsWithSoiAndOneStandardHuffmanSegment)
{
    const Bytes jpeg = frame(10);
    ASSERT_GT(jpeg.size(), 1000u);
    EXPECT_TRUE(std::equal(std::begin(jpeg_lead), std::end(jpeg_lead), jpeg.begin()));
    const auto found = segments(jpeg);
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front(), std::make_pair(uint8_t{0xC4}, size_t{2}));
    EXPECT_EQ(be16(jpeg, 4), 0x01A2u);
    EXPECT_EQ(std::count_if(found.begin(), found.end(), [](const auto& s) { return s.first == 0xC4; }), 1);
    // The tables follow one another: DC luminance, AC luminance, DC and AC chrominance.
    const size_t classes[4] = {6, 6 + 29, 6 + 29 + 179, 6 + 29 + 179 + 29};
    const uint8_t ids[4] = {0x00, 0x10, 0x01, 0x11};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(jpeg[classes[i]], ids[i]) << "table " << i;
    }
    // No JFIF marker; quantisation tables, frame and scan headers follow the tables.
    EXPECT_EQ(std::count_if(found.begin(), found.end(), [](const auto& s) { return s.first == 0xE0; }), 0);
    EXPECT_EQ(found.back().first, 0xDA);
    EXPECT_EQ(jpeg[jpeg.size() - 2], 0xFF);
    EXPECT_EQ(jpeg.back(), 0xD9);
}

TEST_F(RecorderJpegTest, RestoredPayloadDecodesToTheSceneWithItsStamp)
{
    const Bytes payload = picture_payload(frame(10), ModelCode{});
    EXPECT_EQ(payload[0], 0x03);
    EXPECT_EQ(payload[1], 0x12);
    EXPECT_TRUE(has_signature_at(payload, 2));
    EXPECT_FALSE(decode_jpeg(payload).ok); // not a JPEG until the lead is put back

    const Decoded picture = decode_jpeg(restore_jpeg(payload.data(), payload.size()));
    ASSERT_TRUE(picture.ok);
    EXPECT_EQ(picture.width, 640);
    EXPECT_EQ(picture.height, 480);
    // Sky above (blue over red), asphalt low in the middle (grey), the stamp's yellow top left.
    EXPECT_GT(average_channel(picture, 300, 40, 16, 2), average_channel(picture, 300, 40, 16, 0));
    const int road_red = average_channel(picture, 150, 440, 12, 0);
    EXPECT_NEAR(road_red, average_channel(picture, 150, 440, 12, 1), 12);
    EXPECT_LT(road_red, 170);
    int yellow = 0;
    for (int y = 9; y < 30; ++y) {
        for (int x = 9; x < 100; ++x) {
            const uint8_t* p = &picture.rgb[(static_cast<size_t>(y) * 640 + x) * 3];
            yellow += p[0] > 200 && p[1] > 190 && p[2] < 120 ? 1 : 0;
        }
    }
    EXPECT_GT(yellow, 100);
}

TEST_F(RecorderJpegTest, TheRoadMovesWithDistanceAndTheHorizonDipsWhenBraking)
{
    const Decoded a = decode_jpeg(frame(10));
    const Decoded b = decode_jpeg(frame(14));
    const Decoded braking = decode_jpeg(frame(10, -0.7));
    ASSERT_TRUE(a.ok && b.ok && braking.ok);
    auto differing_rows = [](const Decoded& x, const Decoded& y, int from, int to) {
        int rows = 0;
        for (int row = from; row < to; ++row) {
            const auto start = static_cast<long>(row) * 640 * 3;
            rows += std::equal(x.rgb.begin() + start, x.rgb.begin() + start + 640 * 3, y.rgb.begin() + start) ? 0 : 1;
        }
        return rows;
    };
    EXPECT_GT(differing_rows(a, b, 250, 480), 50);  // dashes and posts have moved
    EXPECT_EQ(differing_rows(a, b, 40, 60), 0);     // the sky has not
    EXPECT_GT(differing_rows(a, braking, 100, 240), 20); // the hills sit higher when the nose dips
}

TEST_F(RecorderJpegTest, SameSceneGivesTheSameBytes)
{
    EXPECT_EQ(frame(3.5), frame(3.5));
    SceneRenderer other(640, 480, 7);
    RecorderJpegEncoder other_encoder(70);
    SceneView view;
    view.distance_m = 3.5;
    view.stamp_left = "2011/06/08 08:20:54";
    view.stamp_right = "#0042";
    view.stamp_bottom = "044KM/H";
    EXPECT_EQ(other_encoder.encode(other.render(view).data(), 640, 480), frame(3.5));
}

TEST(RecorderJpegLayout, RejectsWhatIsNotABaselineJpegWithStandardTables)
{
    EXPECT_THROW(to_recorder_layout(Bytes{0x00, 0x01, 0x02}), std::runtime_error);
    // A Huffman segment whose tables are not the standard ones (one DC table of one code).
    Bytes odd = {0xFF, 0xD8, 0xFF, 0xC4, 0x00, 0x14, 0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x05,
                 0xFF, 0xDA, 0x00, 0x02, 0xFF, 0xD9};
    EXPECT_THROW(to_recorder_layout(odd), std::runtime_error);
    // A segment length running past the end.
    Bytes cut = {0xFF, 0xD8, 0xFF, 0xDB, 0x10, 0x00, 0x00};
    EXPECT_THROW(to_recorder_layout(cut), std::runtime_error);
}

TEST(RecorderJpegLayout, TinyPicturesKeepTheLayoutToo)
{
    FrameMaker maker(PictureFormat{64, 48, 50}, 3);
    const Bytes jpeg = maker.jpeg(DriveStory::parked(1, 1000).at(500), CivilTime{2011, 1, 2, 3, 4, 5}, 9);
    EXPECT_TRUE(std::equal(std::begin(jpeg_lead), std::end(jpeg_lead), jpeg.begin()));
    const Decoded picture = decode_jpeg(jpeg);
    ASSERT_TRUE(picture.ok);
    EXPECT_EQ(picture.width, 64);
    EXPECT_EQ(picture.height, 48);
}

} // namespace
