// The config panel under Wine with the real sound player: the sliders driven with the mouse to
// their ends, the reset buttons, the tips, and the volume heard on the sound server's sink.
#include "panels/ConfigPanel.h"

#include "base/Text.h"
#include "playback/GammaCorrection.h"
#include "playback/WaveAudioPlayer.h"
#include "playback/WaveData.h"
#include "support/SoundCapture.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "ui/ImageButton.h"
#include "ui/ImageTrackBar.h"
#include "ui/TrackToolTip.h"

#include "ResourceIds.h"

#include <gtest/gtest.h>

namespace {

// The window the open-folder button talks to: counts the open commands it receives.
class CommandTarget {
public:
    HWND get() const { return window_.get(); }
    int open_commands = 0;

private:
    MessageWindow window_{[this](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COMMAND && LOWORD(wParam) == IDC_CMD_OPEN && HIWORD(wParam) == 0 && lParam == 0) {
            ++open_commands;
            return true;
        }
        return false;
    }};
};

class ConfigPanelTest : public ::testing::Test {
protected:
    ConfigPanelTest()
    {
        sound_ = new WaveAudioPlayer(target_.get());
        panel_ = new ConfigPanel(host_.get(), *sound_, brightness_, video_.get(), target_.get());
        MoveWindow(panel_->handle(), 0, 0, 209, 90, TRUE);
        pumpPending();
    }
    ~ConfigPanelTest() override { DestroyWindow(sound_->handle()); }

    // Presses the bar, drags to `x` (in the bar's client coordinates) and lets go; returns the
    // tip's text while the bar was held there.
    std::wstring drag(ImageTrackBar& bar, int x)
    {
        SendMessageW(bar.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(75, 8));
        SendMessageW(bar.handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(x), 8));
        const std::wstring tip = panel_->tooltip().text(bar.handle());
        SendMessageW(bar.handle(), WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(x), 8));
        return tip;
    }
    static void click(ImageButton& button)
    {
        SendMessageW(button.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageW(button.handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }

    HostWindow host_{0, 0, 300, 200};
    HostWindow video_{300, 0, 64, 48};
    CommandTarget target_;
    GammaCorrection brightness_;
    WaveAudioPlayer* sound_ = nullptr;  // belongs to its window
    ConfigPanel* panel_ = nullptr;      // belongs to its window
};

TEST_F(ConfigPanelTest, StartsAtTheStandardVolumeAndBrightnessWithTheirTips)
{
    EXPECT_EQ(panel_->volume_bar().minimum(), 0);
    EXPECT_EQ(panel_->volume_bar().maximum(), 16);
    EXPECT_EQ(panel_->volume_bar().value(), 16);
    EXPECT_EQ(panel_->volume_bar().valueText(), L"16");
    EXPECT_EQ(panel_->brightness_bar().minimum(), 1);
    EXPECT_EQ(panel_->brightness_bar().maximum(), 50);
    EXPECT_EQ(panel_->brightness_bar().valueText(), L"1.0");
    EXPECT_EQ(panel_->tooltip().text(panel_->volume_reset().handle()), load_text(texts::standard_volume));
    EXPECT_EQ(panel_->tooltip().text(panel_->brightness_reset().handle()), load_text(texts::standard_brightness));
    EXPECT_EQ(panel_->tooltip().text(panel_->open_button().handle()), load_text(texts::open_folder));
    EXPECT_FALSE(panel_->volume_reset().drawsEdge());
    EXPECT_FALSE(panel_->brightness_reset().drawsEdge());
    EXPECT_TRUE(panel_->open_button().drawsEdge());
}

TEST_F(ConfigPanelTest, TheBrightnessSliderReachesAGammaOfOneTenthAndFive)
{
    EXPECT_EQ(drag(panel_->brightness_bar(), -40), L"0.1");
    EXPECT_EQ(panel_->brightness_bar().value(), 1);
    EXPECT_DOUBLE_EQ(brightness_.gamma(), 0.1);
    EXPECT_EQ(drag(panel_->brightness_bar(), 400), L"5.0");
    EXPECT_EQ(panel_->brightness_bar().value(), 50);
    EXPECT_DOUBLE_EQ(brightness_.gamma(), 5.0);
    click(panel_->brightness_reset());
    EXPECT_EQ(panel_->brightness_bar().value(), 10);
    EXPECT_DOUBLE_EQ(brightness_.gamma(), 1.0);
}

TEST_F(ConfigPanelTest, TheVolumeSliderSetsTheSoundPlayerAndTheResetRestoresSixteen)
{
    EXPECT_EQ(drag(panel_->volume_bar(), -40), L"0");
    EXPECT_EQ(sound_->volume(), 0);
    drag(panel_->volume_bar(), 75);
    EXPECT_GT(sound_->volume(), 0);
    EXPECT_LT(sound_->volume(), 16);
    EXPECT_EQ(sound_->volume(), panel_->volume_bar().value());
    click(panel_->volume_reset());
    EXPECT_EQ(panel_->volume_bar().value(), 16);
    EXPECT_EQ(sound_->volume(), 16);
}

TEST_F(ConfigPanelTest, WithoutSoundTheVolumeControlsAreDisabledAndTheBrightnessStays)
{
    panel_->enable_sound_controls(false);
    EXPECT_FALSE(IsWindowEnabled(panel_->volume_bar().handle()));
    EXPECT_FALSE(IsWindowEnabled(panel_->volume_reset().handle()));
    EXPECT_TRUE(IsWindowEnabled(panel_->brightness_bar().handle()));
    EXPECT_TRUE(IsWindowEnabled(panel_->brightness_reset().handle()));
    panel_->enable_sound_controls(true);
    EXPECT_TRUE(IsWindowEnabled(panel_->volume_bar().handle()));
}

TEST_F(ConfigPanelTest, TheOpenButtonSendsTheOpenCommand)
{
    click(panel_->open_button());
    ASSERT_TRUE(pumpUntil([&] { return target_.open_commands == 1; }, 2000));
}

TEST_F(ConfigPanelTest, TheVolumeSetWithTheSliderIsWhatTheSinkHears)
{
    if (waveOutGetNumDevs() == 0) {
        GTEST_SKIP() << "no sound device (the test command starts a sound server)";
    }
    TempFolder folder;
    const std::vector<uint8_t> samples = sound_pattern(11025);
    const std::wstring path = folder.file(L"sound.wav");
    write_bytes(path, wave_file(samples));
    SinkRecording recording(folder.file(L"heard.raw"));
    if (!recording.started()) {
        GTEST_SKIP() << "cannot start the recorder of the sound server";
    }
    ASSERT_TRUE(recording.connected());
    drag(panel_->volume_bar(), 75);        // about halfway
    const int volume = panel_->volume_bar().value();
    ASSERT_GT(volume, 0);
    ASSERT_LT(volume, 16);
    sound_->open(path);
    sound_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return sound_->finished(); }, 5000));
    std::vector<uint8_t> expected(samples.size());
    scale_samples(samples.data(), expected.data(), samples.size(), volume);
    expect_heard(recording.finish(), expected);
}

} // namespace
