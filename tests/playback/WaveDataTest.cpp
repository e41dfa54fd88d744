#include "playback/WaveData.h"

#include "base/Exception.h"
#include "platform/File.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

std::vector<uint8_t> wave_bytes(uint16_t channels, uint32_t rate, uint16_t align, uint16_t bits,
                                const std::vector<uint8_t>& samples)
{
    std::vector<uint8_t> bytes(44 + samples.size());
    auto put16 = [&](size_t at, uint32_t v) {
        bytes[at] = static_cast<uint8_t>(v);
        bytes[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    std::memcpy(bytes.data(), "RIFF", 4);
    put32(4, static_cast<uint32_t>(samples.size() + 36));
    std::memcpy(bytes.data() + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, channels);
    put32(24, rate);
    put32(28, rate * align);
    put16(32, align);
    put16(34, bits);
    std::memcpy(bytes.data() + 36, "data", 4);
    put32(40, static_cast<uint32_t>(samples.size()));
    std::copy(samples.begin(), samples.end(), bytes.begin() + 44);
    return bytes;
}

class WaveDataTest : public ::testing::Test {
protected:
    void TearDown() override { delete_file(path_); }

    const std::wstring& write(const std::vector<uint8_t>& bytes)
    {
        path_ = make_temp_file(L"wav");
        File file = File::create_exclusive_write(path_);
        EXPECT_TRUE(file.write(bytes.data(), bytes.size()));
        return path_;
    }

    void expect_refused(const std::vector<uint8_t>& bytes)
    {
        const std::wstring& path = write(bytes);
        try {
            WaveData::read(path);
            ADD_FAILURE() << "accepted";
        } catch (const WaveAudioException& failure) {
            EXPECT_EQ(failure.message(), path);
        }
    }

    std::wstring path_;
};

TEST_F(WaveDataTest, ReadsTheRecordersSoundLayout)
{
    const std::vector<uint8_t> samples = {0x80, 0x00, 0xFF, 0x7F, 0x81};
    const WaveData wave = WaveData::read(write(wave_bytes(1, 11025, 1, 8, samples)));
    EXPECT_EQ(wave.samples(), samples);
    EXPECT_EQ(wave.format().samples_per_second, 11025u);
}

TEST_F(WaveDataTest, RefusesOtherFormatsWithThePathAsMessage)
{
    expect_refused(wave_bytes(2, 11025, 2, 8, {1, 2}));      // stereo
    expect_refused(wave_bytes(1, 11025, 2, 16, {1, 2}));     // 16-bit
    expect_refused(wave_bytes(1, 22050, 1, 8, {1, 2}));      // another rate
    auto moved = wave_bytes(1, 11025, 1, 8, {1, 2});
    std::memcpy(moved.data() + 36, "LIST", 4);                // "data" not right after the format
    expect_refused(moved);
}

TEST_F(WaveDataTest, ShortOrOverstatedDataIsRefusedWithoutAllocatingIt)
{
    auto truncated = wave_bytes(1, 11025, 1, 8, {1, 2, 3, 4});
    truncated.pop_back();
    expect_refused(truncated);
    auto huge = wave_bytes(1, 11025, 1, 8, {1});
    huge[40] = huge[41] = huge[42] = huge[43] = 0xFF; // claims 4 GiB
    expect_refused(huge);
    expect_refused({'R', 'I', 'F', 'F'});
}

TEST(WaveData, MissingFileIsRefusedWithItsPath)
{
    try {
        WaveData::read(L"no-such-sound.wav");
        FAIL();
    } catch (const WaveAudioException& failure) {
        EXPECT_EQ(failure.message(), L"no-such-sound.wav");
    }
}

TEST(WaveFill, BuffersFallOnWholeBufferBoundariesAfterAShortFirstOne)
{
    const FillRange first = fill_range(1000, 10000, 2205);
    EXPECT_EQ(first.from, 1000);
    EXPECT_EQ(first.end, 2205);
    const FillRange second = fill_range(first.end, 10000, 2205);
    EXPECT_EQ(second.end, 4410);
}

TEST(WaveFill, TheLastBufferCarriesTheFinalSampleAndThenNothingIsLeft)
{
    const FillRange last = fill_range(4410, 4411, 2205);
    EXPECT_EQ(last.end, 4411);
    const FillRange after = fill_range(4411, 4411, 2205);
    EXPECT_EQ(after.end, after.from);
    EXPECT_EQ(fill_range(0, 1, 2205).end, 1);
    EXPECT_EQ(fill_range(99999, 4411, 2205).end - fill_range(99999, 4411, 2205).from, 0);
    EXPECT_EQ(fill_range(0, 4411, 0).end, 0);
}

TEST(WaveVolume, ScalesAroundTheCentreTruncatingTowardZero)
{
    const uint8_t in[] = {0, 127, 128, 129, 255};
    uint8_t out[5];
    scale_samples(in, out, 5, 16);
    EXPECT_EQ(0, std::memcmp(in, out, 5));
    scale_samples(in, out, 5, 0);
    for (uint8_t v : out) {
        EXPECT_EQ(v, 128);
    }
    scale_samples(in, out, 5, 8);
    const uint8_t half[] = {64, 128, 128, 128, 191};
    EXPECT_EQ(0, std::memcmp(half, out, 5));
}

} // namespace
