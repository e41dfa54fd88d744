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

TEST_F(WaveAudioPlayerTest, AfterItsLastSampleTheSoundSendsNothingToTheSoundServer)
{
    // A stream left running after the sound, fed with silence, runs dry on a busy machine and
    // then plays bursts of 0x00 into whatever else is playing.
    player_->open(write_wave(sound_pattern(4410)));
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->finished(); }, 5000));
    // The stream ends once its last samples have played.
    int running = -1;
    pumpUntil(
        [&] {
            running = running_sound_streams(folder_.path());
            return running <= 0;
        },
        5000);
    if (running < 0) {
        GTEST_SKIP() << "cannot ask the sound server for its streams";
    }
    EXPECT_EQ(running, 0);
    // Playing again starts the stream again.
    player_->play(0);
    EXPECT_EQ(player_->state(), ISoundPlayer::playing);
    EXPECT_EQ(running_sound_streams(folder_.path()), 1);
}

TEST_F(WaveAudioPlayerTest, AVolumeChosenWhilePausedIsHeardAtOnceOnResuming)
{
    const std::vector<uint8_t> samples = sound_pattern(11025 * 2);
    const std::wstring path = write_wave(samples);
    SinkRecording recording(folder_.file(L"heard.raw"));
    if (!recording.started()) {
        GTEST_SKIP() << "cannot start the recorder of the sound server";
    }
    ASSERT_TRUE(recording.connected());
    player_->open(path);
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->position() > 600; }, 3000));
    player_->pause();
    const size_t paused_at = static_cast<size_t>(player_->position()) * 11025 / 1000;
    player_->set_volume(8);
    ASSERT_TRUE(recording.heard_for(300));
    player_->resume();
    ASSERT_TRUE(pumpUntil([&] { return player_->finished(); }, 5000));
    const std::vector<uint8_t> heard = recording.finish();

    // The last piece heard at the old volume and the first at the new one both lie where the
    // pause fell.
    std::vector<uint8_t> quieter(samples.size());
    scale_samples(samples.data(), quieter.data(), samples.size(), 8);
    const std::vector<size_t> loud = piece_positions(heard, samples);
    const std::vector<size_t> quiet = piece_positions(heard, quieter);
    size_t last_loud = 0;
    for (size_t i = 0; i < loud.size(); ++i) {
        last_loud = loud[i] != not_heard ? i : last_loud;
    }
    const auto first_quiet = static_cast<size_t>(
        std::find_if(quiet.begin(), quiet.end(), [](size_t at) { return at != not_heard; }) - quiet.begin());
    EXPECT_LE(last_loud * heard_piece, paused_at + heard_piece) << "the old volume went on after resuming";
    EXPECT_LE(first_quiet * heard_piece, paused_at + 2 * heard_piece) << "the new volume came late";
    EXPECT_GT(quiet.size() - first_quiet, 20u) << "too little was heard at the new volume";
}

} // namespace
