// Without any sound device (this program runs with no sound server to reach): the sound player
// refuses to open, and the video player still plays on the clock.
#include "playback/WaveAudioPlayer.h"

#include "base/Exception.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(NoSoundDevice, OpeningFailsWithThePathAndTheClockStillStarts)
{
    ASSERT_EQ(waveOutGetNumDevs(), 0u) << "this program must run without a sound server";
    TempFolder folder;
    std::vector<uint8_t> wave = {'R', 'I', 'F', 'F', 40, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0,
                                 1, 0, 1, 0, 0x11, 0x2B, 0, 0, 0x11, 0x2B, 0, 0, 1, 0, 8, 0,
                                 'd', 'a', 't', 'a', 4, 0, 0, 0, 0x80, 0x90, 0x70, 0x80};
    const std::wstring path = folder.write(L"sound.wav", wave);
    HostWindow owner(0, 0, 10, 10, WS_POPUP);
    auto* player = new WaveAudioPlayer(owner.get());
    try {
        player->open(path);
        ADD_FAILURE() << "opened without a device";
    } catch (const WaveAudioException& failure) {
        EXPECT_EQ(failure.message(), path);
    }
    EXPECT_EQ(player->state(), ISoundPlayer::closed);
    EXPECT_THROW(player->play(2000), WaveAudioException);
    EXPECT_EQ(player->start_offset(), 2000);
    DestroyWindow(player->handle());
}

} // namespace
