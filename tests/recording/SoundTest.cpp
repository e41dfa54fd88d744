// The sound of event and chapter files: blocks laid out on the recorder's clock in a temporary
// WAVE file that lives as long as the load.
#include "platform/FileSystem.h"
#include "ArchiveFixture.h"

#include <cstring>

#include "recording/SoundAssembly.h"

namespace {

using Sound = ArchiveFixture;

Bytes samples(size_t count, uint8_t first)
{
    Bytes out(count);
    for (size_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>(first + i % 7);
    }
    return out;
}

uint32_t le32(const Bytes& bytes, size_t at)
{
    return static_cast<uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | bytes[at + 3] << 24);
}

uint16_t le16(const Bytes& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The sample data of the WAVE file the archive wrote; checks the header on the way.
Bytes wave_data(const VideoArchive& archive)
{
    const Bytes wave = read_bytes(archive.sound_path());
    EXPECT_GE(wave.size(), 44u);
    if (wave.size() < 44) {
        return {};
    }
    EXPECT_EQ(std::memcmp(wave.data(), "RIFF", 4), 0);
    EXPECT_EQ(std::memcmp(wave.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(le32(wave, 16), 16u);
    EXPECT_EQ(le16(wave, 20), 1);      // PCM
    EXPECT_EQ(le16(wave, 22), 1);      // mono
    EXPECT_EQ(le32(wave, 24), 11025u);
    EXPECT_EQ(le32(wave, 28), 11025u);
    EXPECT_EQ(le16(wave, 32), 1);
    EXPECT_EQ(le16(wave, 34), 8);
    EXPECT_EQ(std::memcmp(wave.data() + 36, "data", 4), 0);
    const uint32_t size = le32(wave, 40);
    EXPECT_EQ(le32(wave, 4), size + 36);
    EXPECT_EQ(wave.size(), 44u + size);
    return Bytes(wave.begin() + 44, wave.end());
}

Bytes silence(size_t count)
{
    return Bytes(count, 0x80);
}

Bytes joined(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

ArchiveBuilder with_sound(std::initializer_list<std::pair<int32_t, Bytes>> blocks)
{
    ArchiveBuilder builder;
    builder.information_block().picture(1000);
    for (const auto& [ms, data] : blocks) {
        builder.sound(ms, data);
    }
    return builder;
}

TEST_F(Sound, EveryBlockIsPlacedFromTheFirstBlocksTime)
{
    // 100 ms is 1102.5 samples: the first block gives 1102 bytes, the second 1103.
    const Bytes a = samples(800, 0x10), b = samples(800, 0x30), c = samples(800, 0x50);
    load_event(with_sound({{5000, a}, {5100, b}, {5200, c}}).bytes());
    EXPECT_EQ(wave_data(archive), joined({a, silence(302), b, silence(303), c}));
}

TEST_F(Sound, BlocksAreTakenInTimeOrder)
{
    const Bytes a = samples(100, 0x10), b = samples(100, 0x30), c = samples(100, 0x50);
    load_event(with_sound({{5200, c}, {5000, a}, {5100, b}}).bytes());
    EXPECT_EQ(wave_data(archive), joined({a, silence(1002), b, silence(1003), c}));
}

TEST_F(Sound, ABlockTooCloseToTheNextGivesNothing)
{
    // 1 ms is 11 samples, too few to hold any; 2 ms (22) is enough.
    const Bytes a = samples(30, 0x10), b = samples(30, 0x30), c = samples(30, 0x50);
    load_event(with_sound({{5000, a}, {5001, b}, {5100, c}}).bytes());
    EXPECT_EQ(wave_data(archive), joined({b, silence(1102 - 30), c}));
    load_event(with_sound({{5000, a}, {5002, b}, {5100, c}}).bytes());
    EXPECT_EQ(wave_data(archive), joined({Bytes(a.begin(), a.begin() + 22), b, silence(1102 - 22 - 30), c}));
}

TEST_F(Sound, LongGapsAreSilenceAndLongBlocksAreCut)
{
    const Bytes a = samples(12000, 0x10), b = samples(12000, 0x30);
    // 2 s after the first block: 22050 bytes, of which the first 10000 are the block's.
    load_event(with_sound({{0, a}, {2000, b}}).bytes());
    EXPECT_EQ(wave_data(archive),
              joined({Bytes(a.begin(), a.begin() + 10000), silence(12050), Bytes(b.begin(), b.begin() + 10000)}));
    // Half a second: the block's first 5512 samples.
    load_event(with_sound({{0, a}, {500, b}}).bytes());
    EXPECT_EQ(wave_data(archive), joined({Bytes(a.begin(), a.begin() + 5512), Bytes(b.begin(), b.begin() + 10000)}));
}

TEST_F(Sound, ASoundOfManyWritesComesOutWholeAcrossTheirSeams)
{
    // Twenty blocks a second apart: 20 s of sound, written in several pieces, with samples and
    // silence running across the seams between them.
    ArchiveBuilder builder;
    builder.information_block().picture(1000);
    Bytes expected;
    for (int i = 0; i < 20; ++i) {
        const Bytes block = samples(10000, static_cast<uint8_t>(0x10 + i));
        builder.sound(1000 * i, block);
        expected.insert(expected.end(), block.begin(), block.end());
        if (i < 19) {
            // Each place is reckoned from the first block: 11025 bytes a second, no drift.
            const Bytes gap = silence(11025 * static_cast<size_t>(i + 1) - expected.size());
            expected.insert(expected.end(), gap.begin(), gap.end());
        }
    }
    load_event(builder.bytes());
    EXPECT_EQ(wave_data(archive), expected);
    // Read from the file's bytes in memory, the sound is the same.
    archive.load_event_bytes(builder.bytes());
    EXPECT_EQ(wave_data(archive), expected);
}

TEST_F(Sound, SamplesAreNeverTakenFromBeyondTheirBlock)
{
    BlockFields overlong;
    overlong.type = 0xAA;
    overlong.ms = 0;
    overlong.sound_length = 500; // claims more samples than its payload holds
    const Bytes a = samples(200, 0x10), b = samples(50, 0x30);
    ArchiveBuilder builder;
    builder.information_block().picture(1000).raw(block(overlong, a)).sound(100, b);
    load_event(builder.bytes());
    EXPECT_EQ(wave_data(archive), joined({a, silence(1102 - 200), b}));
}

TEST_F(Sound, AFileWithoutSoundBlocksHasAnEmptyWave)
{
    // A block needs 16 payload bytes after its header to be read at all: this one ends the file.
    load_event(with_sound({{0, samples(15, 0x10)}}).bytes());
    EXPECT_EQ(wave_data(archive), Bytes());

    BlockFields empty;
    empty.type = 0xAA;
    empty.ms = 10;
    empty.payload_size = 0;
    ArchiveBuilder builder;
    builder.information_block().picture(1000).raw(block(empty, Bytes()));
    load_chapter(builder.bytes());
    EXPECT_EQ(wave_data(archive), Bytes());
}

TEST_F(Sound, TheWaveLivesUntilResetReloadOrDestruction)
{
    const Bytes bytes = with_sound({{0, samples(10, 0x10)}}).bytes();
    load_event(bytes);
    const std::wstring first = archive.sound_path();
    ASSERT_TRUE(file_exists(first));
    const std::wstring name = first.substr(first.find_last_of(L"/\\") + 1);
    EXPECT_EQ(name.substr(0, 3), L"obv");

    load_event(bytes);
    EXPECT_FALSE(file_exists(first));
    const std::wstring second = archive.sound_path();
    ASSERT_TRUE(file_exists(second));
    archive.reset();
    EXPECT_FALSE(file_exists(second));
    EXPECT_EQ(archive.sound_path(), L"");

    std::wstring third;
    {
        VideoArchive other;
        other.load_chapter(folder.write(L"Video0002.dmv", bytes));
        third = other.sound_path();
        ASSERT_TRUE(file_exists(third));
    }
    EXPECT_FALSE(file_exists(third));
    EXPECT_FALSE(archive.sound_failed());
}

TEST_F(Sound, WithoutATemporaryFileTheRecordingLoadsSilently)
{
    const std::wstring missing = folder.file(L"no-such-folder");
#ifdef _WIN32
    const std::wstring variables[] = {L"TMP", L"TEMP"};
    std::vector<std::wstring> saved;
    for (const auto& variable : variables) {
        const wchar_t* value = _wgetenv(variable.c_str());
        saved.push_back(value != nullptr ? value : L"");
        _wputenv_s(variable.c_str(), missing.c_str());
    }
#else
    const char* value = std::getenv("TMPDIR");
    const std::string saved = value != nullptr ? value : "";
    setenv("TMPDIR", to_narrow(missing).c_str(), 1);
#endif
    load_event(with_sound({{0, samples(10, 0x10)}}).bytes());
#ifdef _WIN32
    for (size_t i = 0; i < 2; ++i) {
        _wputenv_s(variables[i].c_str(), saved[i].c_str());
    }
#else
    if (saved.empty()) {
        unsetenv("TMPDIR");
    } else {
        setenv("TMPDIR", saved.c_str(), 1);
    }
#endif
    EXPECT_TRUE(archive.sound_failed()); // the caller warns, once the reader holds nothing
    EXPECT_EQ(archive.sound_path(), L"");
    EXPECT_EQ(archive.frame_count(), 1);
    archive.reset();
    EXPECT_FALSE(archive.sound_failed());
}

TEST_F(Sound, ADamagedTimeCannotMakeTheWaveEndless)
{
    // Two billion ms apart: the product with 11025 needs 64 bits, and the sound stops at three minutes.
    load_event(with_sound({{0, samples(20, 0x10)}, {2000000000, samples(20, 0x30)}}).bytes());
    const Bytes data = wave_data(archive);
    ASSERT_EQ(data.size(), static_cast<size_t>(max_sound_bytes));
    EXPECT_EQ(Bytes(data.begin(), data.begin() + 20), samples(20, 0x10));
    EXPECT_EQ(data.back(), 0x80);
}

} // namespace
