// The sound player against the real waveOut device of the test run's sound server.
#include "playback/WaveAudioPlayer.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "playback/PlayerMessages.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

std::vector<uint8_t> wave_file(const std::vector<uint8_t>& samples)
{
    std::vector<uint8_t> bytes(44 + samples.size());
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
        }
    };
    std::memcpy(bytes.data(), "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0", 24);
    put32(4, static_cast<uint32_t>(samples.size() + 36));
    put32(24, 11025);
    put32(28, 11025);
    bytes[32] = 1;
    bytes[34] = 8;
    std::memcpy(bytes.data() + 36, "data", 4);
    put32(40, static_cast<uint32_t>(samples.size()));
    std::copy(samples.begin(), samples.end(), bytes.begin() + 44);
    return bytes;
}

// A pattern that cannot be mistaken for silence or for a shifted copy of itself.
std::vector<uint8_t> pattern(size_t count)
{
    std::vector<uint8_t> samples(count);
    uint32_t state = 12345;
    for (auto& sample : samples) {
        state = state * 1103515245u + 12345u;
        sample = static_cast<uint8_t>(16 + (state >> 16) % 224);
    }
    return samples;
}

// Receives what the sound player tells its owner.
class Owner {
public:
    HWND get() const { return window_.get(); }
    int stopped_messages = 0;

private:
    MessageWindow window_{[this](UINT message, WPARAM, LPARAM) {
        stopped_messages += message == WM_SOUND_STOPPED ? 1 : 0;
        return message == WM_SOUND_STOPPED;
    }};
};

class WaveAudioPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (waveOutGetNumDevs() == 0) {
            GTEST_SKIP() << "no sound device (the test command starts a sound server)";
        }
        player_ = new WaveAudioPlayer(owner_.get());
    }
    void TearDown() override
    {
        if (player_ != nullptr) {
            DestroyWindow(player_->handle()); // deletes the player
        }
    }
    std::wstring write_wave(const std::vector<uint8_t>& samples, const wchar_t* name = L"sound.wav")
    {
        const std::wstring path = folder_.file(name);
        write_bytes(path, wave_file(samples));
        return path;
    }

    TempFolder folder_;
    Owner owner_;
    WaveAudioPlayer* player_ = nullptr;
};

TEST_F(WaveAudioPlayerTest, RefusesWhatItCannotPlayWithThePathAsMessage)
{
    const std::wstring missing = folder_.file(L"missing.wav");
    try {
        player_->open(missing);
        FAIL();
    } catch (const WaveAudioException& failure) {
        EXPECT_EQ(failure.message(), missing);
    }
    EXPECT_EQ(player_->state(), ISoundPlayer::closed);
}

TEST_F(WaveAudioPlayerTest, WithNothingOpenPlayKeepsTheClockAndFails)
{
    const DWORD before = timeGetTime();
    try {
        player_->play(1234);
        FAIL();
    } catch (const WaveAudioException& failure) {
        EXPECT_EQ(failure.message(), load_text(5069));
    }
    EXPECT_EQ(player_->start_offset(), 1234);
    EXPECT_GE(static_cast<int32_t>(player_->start_time() - before), 0);
    EXPECT_THROW(player_->pause(), WaveAudioException);
    EXPECT_THROW(player_->resume(), WaveAudioException);
    EXPECT_THROW(player_->stop(), WaveAudioException);
}

TEST_F(WaveAudioPlayerTest, PlayingFromBeyondTheEndFinishesAtOnce)
{
    player_->open(write_wave(pattern(11025)));
    EXPECT_EQ(player_->state(), ISoundPlayer::stopped);
    EXPECT_EQ(player_->byte_rate_x1000(), 11025000);
    player_->play(5000);
    EXPECT_TRUE(player_->finished());
    EXPECT_EQ(player_->state(), ISoundPlayer::stopped);
    EXPECT_TRUE(pumpUntil([&] { return owner_.stopped_messages == 1; }, 2000));
}

TEST_F(WaveAudioPlayerTest, PlaysToTheEndThenReportsFinished)
{
    player_->open(write_wave(pattern(4410))); // 0.4 s: two whole buffers
    player_->play(0);
    EXPECT_EQ(player_->state(), ISoundPlayer::playing);
    ASSERT_TRUE(pumpUntil([&] { return owner_.stopped_messages > 0; }, 5000));
    EXPECT_TRUE(player_->finished());
    EXPECT_EQ(player_->state(), ISoundPlayer::stopped);
    // Resuming a finished sound has nothing left to play.
    player_->resume();
    EXPECT_EQ(player_->state(), ISoundPlayer::stopped);
    EXPECT_TRUE(pumpUntil([&] { return owner_.stopped_messages == 2; }, 2000));
}

TEST_F(WaveAudioPlayerTest, StoppingReportsOnceTheBuffersAreBackWithFinishedClear)
{
    player_->open(write_wave(pattern(11025 * 3)));
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->position() > 100; }, 3000));
    player_->stop();
    EXPECT_EQ(player_->state(), ISoundPlayer::stopped);
    ASSERT_TRUE(pumpUntil([&] { return owner_.stopped_messages > 0; }, 3000));
    EXPECT_FALSE(player_->finished());
    EXPECT_EQ(player_->state(), ISoundPlayer::stopped);
}

TEST_F(WaveAudioPlayerTest, PositionStartsAtTheSeekPointAndPauseHoldsIt)
{
    player_->open(write_wave(pattern(11025 * 4)));
    player_->play(1500);
    EXPECT_EQ(player_->start_offset(), 1499); // byte 16537 of the sound, in whole milliseconds
    ASSERT_TRUE(pumpUntil([&] { return player_->position() > 1600; }, 3000));
    player_->pause();
    EXPECT_EQ(player_->state(), ISoundPlayer::paused);
    const int held = player_->position();
    pumpUntil([] { return false; }, 300);
    EXPECT_LE(std::abs(player_->position() - held), 30);
    player_->resume();
    EXPECT_EQ(player_->state(), ISoundPlayer::playing);
    player_->set_volume(40);
    EXPECT_EQ(player_->volume(), 16);
    player_->set_volume(-3);
    EXPECT_EQ(player_->volume(), 0);
}

// Records the sound server's null sink while the player plays, through a Unix program that
// Wine starts for us; returns the captured samples.
class SinkRecording {
public:
    explicit SinkRecording(const std::wstring& output) : output_(output)
    {
        std::wstring command = L"Z:\\bin\\sh -c \"timeout 7 parec -d nullsink.monitor --latency-msec=50 "
                               L"--format=u8 --rate=11025 --channels=1 --raw > '" +
                               unix_path(output) + L"'\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &process_) != FALSE;
    }
    ~SinkRecording()
    {
        if (started_) {
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    bool started() const { return started_; }
    std::vector<uint8_t> finish()
    {
        WaitForSingleObject(process_.hProcess, 10000);
        return read_bytes(output_);
    }

private:
    static std::wstring unix_path(const std::wstring& path)
    {
        wchar_t* converted = nullptr;
        using Converter = wchar_t* (*)(const wchar_t*);
        auto to_unix = reinterpret_cast<Converter>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        if (to_unix != nullptr) {
            converted = to_unix(path.c_str());
        }
        std::wstring result = converted != nullptr ? converted : L"";
        // wine_get_unix_file_name hands back narrow text in a wide-typed buffer.
        if (converted != nullptr) {
            const auto* narrow = reinterpret_cast<const char*>(converted);
            result.assign(narrow, narrow + std::strlen(narrow));
            HeapFree(GetProcessHeap(), 0, converted);
        }
        return result;
    }

    std::wstring output_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

std::vector<uint8_t> without_silence(std::vector<uint8_t> samples)
{
    samples.erase(std::remove(samples.begin(), samples.end(), uint8_t{0x80}), samples.end());
    return samples;
}

void expect_heard(const std::vector<uint8_t>& heard, const std::vector<uint8_t>& expected)
{
    // On a loaded machine the device may run dry between two buffers (the sink then plays
    // silence) and the recorder of the sink may lose a moment, so the sound is compared in
    // pieces of 256 samples with silence taken out: most pieces must be there sample for
    // sample. A wrong volume or a shifted sample leaves none.
    const std::vector<uint8_t> sound = without_silence(expected);
    const std::vector<uint8_t> played = without_silence(heard);
    const size_t piece = 256;
    size_t pieces = 0;
    size_t found = 0;
    for (size_t at = piece; at + 2 * piece <= sound.size(); at += piece, ++pieces) {
        const auto first = sound.begin() + static_cast<std::ptrdiff_t>(at);
        found += std::search(played.begin(), played.end(), first, first + piece) != played.end() ? 1 : 0;
    }
    ASSERT_GT(pieces, 20u);
    EXPECT_GE(found * 4, pieces * 3) << found << " of " << pieces << " pieces heard in " << heard.size()
                                     << " captured samples";
}

TEST_F(WaveAudioPlayerTest, PlaysTheSamplesScaledByTheVolume)
{
    const std::vector<uint8_t> samples = pattern(11025); // one second
    const std::wstring path = write_wave(samples);
    SinkRecording recording(folder_.file(L"heard.raw"));
    if (!recording.started()) {
        GTEST_SKIP() << "cannot start the recorder of the sound server";
    }
    pumpUntil([] { return false; }, 2000); // the recorder needs a moment to connect
    player_->set_volume(8);
    player_->open(path);
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->finished(); }, 5000));
    std::vector<uint8_t> expected(samples.size());
    scale_samples(samples.data(), expected.data(), samples.size(), 8);
    expect_heard(recording.finish(), expected);
}

// The longest run of 0x00 samples (full scale negative: a click) in what the sink played.
size_t longest_zero_run(const std::vector<uint8_t>& heard)
{
    size_t longest = 0;
    size_t run = 0;
    for (const uint8_t sample : heard) {
        run = sample == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

TEST_F(WaveAudioPlayerTest, TheEndOfAClipReachesTheSpeakerWithoutAClick)
{
    // Samples that never reach 0, played to their end and then stopped as the video player does.
    std::vector<uint8_t> samples = pattern(11025);
    for (auto& sample : samples) {
        sample = std::max<uint8_t>(sample, 40);
    }
    const std::wstring path = write_wave(samples);
    SinkRecording recording(folder_.file(L"heard.raw"));
    if (!recording.started()) {
        GTEST_SKIP() << "cannot start the recorder of the sound server";
    }
    pumpUntil([] { return false; }, 2000); // the recorder needs a moment to connect
    player_->open(path);
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->finished(); }, 5000));
    pumpUntil([] { return false; }, 300); // the device runs dry after the last buffer
    player_->stop();
    player_->play(0); // and starts again, as at a chapter change
    pumpUntil([] { return false; }, 300);
    player_->close();
    const std::vector<uint8_t> heard = recording.finish();
    ASSERT_GT(heard.size(), 11025u);
    // 2 ms at 11025 samples per second.
    EXPECT_LE(longest_zero_run(heard), 22u) << "a burst of 0x00 reached the speaker";
}

} // namespace
