// The sound player against the real waveOut device of the test run's sound server.
#include "playback/WaveAudioPlayer.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "playback/PlayerMessages.h"
#include "support/SoundCapture.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

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
        EXPECT_EQ(failure.message(), load_text(texts::device_not_open));
    }
    EXPECT_EQ(player_->start_offset(), 1234);
    EXPECT_GE(static_cast<int32_t>(player_->start_time() - before), 0);
    EXPECT_THROW(player_->pause(), WaveAudioException);
    EXPECT_THROW(player_->resume(), WaveAudioException);
    EXPECT_THROW(player_->stop(), WaveAudioException);
}

TEST_F(WaveAudioPlayerTest, PlayingFromBeyondTheEndFinishesAtOnce)
{
    player_->open(write_wave(sound_pattern(11025)));
    EXPECT_EQ(player_->state(), ISoundPlayer::stopped);
    EXPECT_EQ(player_->byte_rate_x1000(), 11025000);
    player_->play(5000);
    EXPECT_TRUE(player_->finished());
    EXPECT_EQ(player_->state(), ISoundPlayer::stopped);
    EXPECT_TRUE(pumpUntil([&] { return owner_.stopped_messages == 1; }, 2000));
}

TEST_F(WaveAudioPlayerTest, PlaysToTheEndThenReportsFinished)
{
    player_->open(write_wave(sound_pattern(4410))); // 0.4 s: two whole buffers
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
    player_->open(write_wave(sound_pattern(11025 * 3)));
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
    player_->open(write_wave(sound_pattern(11025 * 4)));
    player_->play(1500);
    EXPECT_EQ(player_->start_offset(), 1499); // byte 16537 of the sound, in whole milliseconds
    ASSERT_TRUE(pumpUntil([&] { return player_->position() > 1600; }, 3000));
    player_->pause();
    EXPECT_EQ(player_->state(), ISoundPlayer::paused);
    const int held = player_->position();
    ASSERT_TRUE(pumpUntilTimerStrikes(300));
    EXPECT_LE(std::abs(player_->position() - held), 30);
    player_->resume();
    EXPECT_EQ(player_->state(), ISoundPlayer::playing);
    player_->set_volume(40);
    EXPECT_EQ(player_->volume(), 16);
    player_->set_volume(-3);
    EXPECT_EQ(player_->volume(), 0);
}

TEST_F(WaveAudioPlayerTest, PlaysTheSamplesScaledByTheVolume)
{
    const std::vector<uint8_t> samples = sound_pattern(11025); // one second
    const std::wstring path = write_wave(samples);
    SinkRecording recording(folder_.file(L"heard.raw"));
    if (!recording.started()) {
        GTEST_SKIP() << "cannot start the recorder of the sound server";
    }
    ASSERT_TRUE(recording.connected());
    player_->set_volume(8);
    player_->open(path);
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->finished(); }, 5000));
    std::vector<uint8_t> expected(samples.size());
    scale_samples(samples.data(), expected.data(), samples.size(), 8);
    expect_heard(recording.finish(), expected);
}

TEST_F(WaveAudioPlayerTest, TheEndOfAClipReachesTheSpeakerWithoutAClick)
{
    // Samples that never reach 0, played to their end and then stopped as the video player does.
    std::vector<uint8_t> samples = sound_pattern(11025);
    for (auto& sample : samples) {
        sample = std::max<uint8_t>(sample, 40);
    }
    const std::wstring path = write_wave(samples);
    SinkRecording recording(folder_.file(L"heard.raw"));
    if (!recording.started()) {
        GTEST_SKIP() << "cannot start the recorder of the sound server";
    }
    ASSERT_TRUE(recording.connected());
    player_->open(path);
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->finished(); }, 5000));
    ASSERT_TRUE(recording.heard_for(300)); // the device runs dry after the last buffer
    player_->stop();
    player_->play(0); // and starts again, as at a chapter change
    ASSERT_TRUE(recording.heard_for(300));
    player_->close();
    const std::vector<uint8_t> heard = recording.finish();
    ASSERT_GT(heard.size(), 11025u);
    EXPECT_LE(longest_zero_run(heard), click_samples) << "a burst of 0x00 reached the speaker";
}

} // namespace
