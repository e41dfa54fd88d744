// The video player with recordings written by the sample card writer, under the real message
// loop, waveOut (through the test run's sound server) and the multimedia timer.
#include "playback/VideoPlayer.h"

#include "base/Exception.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "base/Text.h"
#include "playback/IPlayerOwner.h"
#include "playback/ImageLoader.h"
#include "playback/PlayerMessages.h"
#include "playback/WaveAudioPlayer.h"
#include "recording/DataType.h"
#include "recording/ChapterList.h"
#include "recording/IVideoInfo.h"
#include "recording/VideoArchive.h"
#include "playback/WaveData.h"
#include "samplecard/CardWriter.h"
#include "support/LoaderProbes.h"
#include "support/SoundCapture.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "image/Image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

// Stands in for the main window and keeps what the player told it.
class RecordingOwner : public IPlayerOwner {
public:
    explicit RecordingOwner(HWND window) : window_(window) {}

    struct Update {
        int state;
        int frame;
    };
    VideoPlayer* player = nullptr;
    std::vector<Update> updates;
    int display_resets = 0;
    int stopwatch_ends = 0;
    int chapters_opened = 0;

    void position_update() override
    {
        if (player != nullptr) {
            updates.push_back({player->state(), player->frame()});
        }
    }
    void reset_display() override { ++display_resets; }
    void reset_console() override {}
    bool stopwatch_measuring() const override { return false; }
    void end_stopwatch_measuring() override { ++stopwatch_ends; }
    void stopwatch_then_play(int) override {}
    void chapter_opening() override {}
    void chapter_opened() override { ++chapters_opened; }
    HWND owner_window() const override { return window_; }

private:
    HWND window_;
};

class VideoPlayerTest : public ::testing::Test {
protected:
    VideoPlayerTest() : host_(0, 0, 700, 520, WS_POPUP | WS_VISIBLE), owner_(host_.get())
    {
        player_ = new VideoPlayer(host_.get(), owner_);
        owner_.player = player_;
    }
    ~VideoPlayerTest() override
    {
        if (player_ != nullptr) {
            DestroyWindow(player_->handle());
        }
        set_current_data_type(data_type_event);
    }

    std::wstring write_event(int frames, bool sound)
    {
        samplecard::EventOptions options;
        options.frames = frames;
        options.detection_frame = frames / 2;
        options.sound = sound;
        options.picture = {320, 240, 60};
        const std::wstring folder = card_.file(L"EVENT");
        samplecard::write_event_folder(folder, options);
        return folder;
    }

    void open_event(const std::wstring& folder)
    {
        set_current_data_type(data_type_event);
        player_->set_opened_kind(data_type_event);
        player_->open(folder);
    }

    // Writes a continuous recording of `chapters` chapters of `frames` frames each and loads its
    // chapters into the player; what the loading counts.
    int load_continuous(int chapters, int frames, samplecard::PictureFormat picture)
    {
        samplecard::ContinuousOptions options;
        options.chapters = chapters;
        options.chapter_frames = frames;
        options.picture = picture;
        const std::wstring folder = card_.file(L"CONT");
        samplecard::write_continuous_folder(folder, options);
        set_current_data_type(data_type_continuous);
        player_->set_opened_kind(data_type_continuous);
        return player_->load_chapters(folder);
    }

    // Plays from frame 0 and waits until the player is back at frame 0, stopped.
    bool play_to_the_end(DWORD timeout_ms)
    {
        player_->play(0);
        bool left_start = false;
        return pumpUntil(
            [&] {
                left_start = left_start || player_->frame() > 0;
                return left_start && player_->state() == VideoPlayer::stopped && player_->frame() == 0;
            },
            timeout_ms);
    }

    TempFolder card_;
    HostWindow host_;
    RecordingOwner owner_;
    MessageRecorder messages_;
    VideoPlayer* player_ = nullptr;
};

TEST_F(VideoPlayerTest, OpeningLeavesThePlayerStoppedAtTheFirstPicture)
{
    open_event(write_event(30, true));
    EXPECT_EQ(player_->state(), VideoPlayer::stopped);
    EXPECT_EQ(player_->frame(), 0);
    ASSERT_NE(player_->info(), nullptr);
    EXPECT_EQ(player_->info()->frame_count(), 30);
    EXPECT_EQ(player_->frame_period_ms(), 33);
    EXPECT_EQ(player_->sound().state(), ISoundPlayer::stopped);
    ASSERT_TRUE(pumpUntil([&] { return player_->picture() != nullptr; }, 5000));
    EXPECT_EQ(player_->picture()->width(), 320);
    ASSERT_FALSE(owner_.updates.empty());
    EXPECT_EQ(owner_.updates.back().state, VideoPlayer::stopped);
}

TEST_F(VideoPlayerTest, PlaysAnEventRecordingWithSoundToTheEndAndReturnsToTheStart)
{
    open_event(write_event(45, true)); // 1.5 s
    owner_.updates.clear();
    ASSERT_TRUE(play_to_the_end(15000));
    // Every tick and every change of state reached the owner, with the state already changed.
    EXPECT_GE(owner_.updates.size(), 10u);
    EXPECT_EQ(owner_.updates.front().state, VideoPlayer::playing);
    int highest = 0;
    for (const auto& update : owner_.updates) {
        highest = std::max(highest, update.frame);
    }
    EXPECT_EQ(highest, 44);
    EXPECT_GE(owner_.stopwatch_ends, 1);
    EXPECT_TRUE(messages_.shown().empty());
}

// What a message box would have shown, and whether the loader's lock was free meanwhile.
struct BoxSeen {
    HWND owner;
    std::wstring text;
    bool loader_idle;
};
std::vector<BoxSeen> boxes;
VideoPlayer* boxed_player = nullptr;

// Whether another thread can take the loader's lock (the worker's decodes are short); the
// thread that holds it would get it again at once, so the test asks from a thread of its own.
bool lock_can_be_had(const std::wstring& mutex_name)
{
    bool had = false;
    std::thread other([&] {
        HANDLE mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, mutex_name.c_str());
        const DWORD result = WaitForSingleObject(mutex, 2000);
        had = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        if (had) {
            ReleaseMutex(mutex);
        }
        CloseHandle(mutex);
    });
    other.join();
    return had;
}

int record_box(HWND owner, const std::wstring& text, int, UINT)
{
    boxes.push_back({owner, text, lock_can_be_had(boxed_player->loader().mutex_name())});
    return IDOK;
}

class WithoutSoundTest : public VideoPlayerTest {
protected:
    // No temporary folder for the sound while the recording opens: it has no sound.
    void open_without_sound(const std::wstring& folder)
    {
        wchar_t temp[MAX_PATH] = {};
        GetEnvironmentVariableW(L"TMP", temp, MAX_PATH);
        SetEnvironmentVariableW(L"TMP", card_.file(L"no-such-folder").c_str());
        boxes.clear();
        boxed_player = player_;
        const MessageHandler previous = set_message_handler(record_box);
        open_event(folder);
        set_message_handler(previous);
        SetEnvironmentVariableW(L"TMP", temp);
    }
};

TEST_F(WithoutSoundTest, TheMissingSoundIsToldOwnedByTheMainWindowOnceTheLoaderIsFree)
{
    open_without_sound(write_event(30, true));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, load_text(5501));
    EXPECT_EQ(boxes[0].owner, host_.get()) << "a box without owner leaves the main window enabled";
    EXPECT_TRUE(boxes[0].loader_idle) << "the box was shown while the reader held the loader's lock";
    EXPECT_EQ(player_->sound().state(), ISoundPlayer::closed);
    EXPECT_EQ(player_->state(), VideoPlayer::stopped);
}

TEST_F(WithoutSoundTest, PlaysOnTheClockAloneToTheEnd)
{
    open_without_sound(write_event(30, true));
    owner_.updates.clear();
    ASSERT_TRUE(play_to_the_end(15000));
    // The clock moves the frames forward only, up to the last one.
    int highest = 0;
    bool forward = true;
    for (size_t i = 1; i < owner_.updates.size(); ++i) {
        if (owner_.updates[i].state == VideoPlayer::playing && owner_.updates[i - 1].state == VideoPlayer::playing) {
            forward = forward && owner_.updates[i].frame >= owner_.updates[i - 1].frame;
        }
        highest = std::max(highest, owner_.updates[i].frame);
    }
    EXPECT_TRUE(forward);
    EXPECT_EQ(highest, 29);
}

TEST_F(WithoutSoundTest, ResumingGoesOnFromWhereThePauseStopped)
{
    open_without_sound(write_event(300, true)); // 10 s
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->frame() >= 10; }, 5000));
    player_->pause();
    const int paused_at = player_->frame();
    // A second's pause: 30 frames that the clock must not count.
    ASSERT_TRUE(pumpUntilTimerStrikes(1000));
    EXPECT_EQ(player_->frame(), paused_at);
    owner_.updates.clear();
    player_->resume();
    // The first frames the clock gives after the resume (the one requested at the resume itself
    // is the next one, whatever the clock says).
    const auto clocked = [&] {
        return std::find_if(owner_.updates.begin(), owner_.updates.end(),
                            [&](const auto& update) { return update.frame >= paused_at + 2; });
    };
    ASSERT_TRUE(pumpUntil([&] { return clocked() != owner_.updates.end(); }, 5000));
    EXPECT_LE(clocked()->frame, paused_at + 6) << "the clock jumped ahead by the length of the pause";
}

TEST_F(VideoPlayerTest, ShortSeeksKeepThePictureAndLongOnesBlankTheWindow)
{
    open_event(write_event(60, false));
    ASSERT_TRUE(pumpUntil([&] { return player_->picture() != nullptr; }, 5000));
    player_->seek(10);
    EXPECT_EQ(player_->frame(), 10);
    EXPECT_NE(player_->picture(), nullptr) << "a seek by 10 frames keeps the old picture";
    ASSERT_TRUE(pumpUntil([&] { return player_->picture() != nullptr; }, 5000));
    player_->seek(21);
    EXPECT_EQ(player_->frame(), 21);
    EXPECT_EQ(player_->picture(), nullptr) << "a seek by 11 frames blanks the window first";
    ASSERT_TRUE(pumpUntil([&] { return player_->picture() != nullptr; }, 5000));
    player_->seek(500); // beyond the end: the last frame
    EXPECT_EQ(player_->frame(), 59);
}

// Where the player stands when the loader is busy: stopped, or paused in the middle of playing.
enum class Standing { stopped, paused };

class BusyLoaderTest : public VideoPlayerTest, public ::testing::WithParamInterface<Standing> {};

TEST_P(BusyLoaderTest, APositionAskedForDuringADecodeEndsOnItsPicture)
{
    open_event(write_event(60, false));
    if (GetParam() == Standing::paused) {
        player_->play(0);
        ASSERT_TRUE(pumpUntil([&] { return player_->frame() >= 3; }, 5000));
        player_->pause();
    }
    ASSERT_TRUE(pumpUntil([&] { return loader_at_rest(player_->handle(), player_->loader()); }));
    const int before = player_->shown_frame();
    {
        // A decode runs (its lock held) while the position moves, near and far, as a drag does.
        LockHolder decoding(player_->loader().mutex_name(), 0);
        player_->seek(before + 5);
        player_->seek(before + 40);
        player_->seek(before + 30);
        pumpPending();
    }
    ASSERT_TRUE(pumpUntil([&] { return loader_at_rest(player_->handle(), player_->loader()); }));
    EXPECT_EQ(player_->frame(), before + 30);
    EXPECT_EQ(player_->shown_frame(), before + 30) << "the picture stayed behind the position";
}

INSTANTIATE_TEST_SUITE_P(Standing, BusyLoaderTest, ::testing::Values(Standing::stopped, Standing::paused));

TEST_F(VideoPlayerTest, AVanishedFolderIsReportedOnceAndNothingMoreIsRequested)
{
    const std::wstring folder = write_event(300, false);
    open_event(folder);
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->frame() > 3; }, 5000));
    ASSERT_TRUE(MoveFileW(folder.c_str(), card_.file(L"MOVED").c_str()));
    ASSERT_TRUE(pumpUntil([&] { return !messages_.shown().empty(); }, 5000));
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, load_text(texts::folder_moved));
    EXPECT_EQ(messages_.shown()[0].captionId, texts::caption_warning);
    EXPECT_GE(owner_.display_resets, 1);
    EXPECT_FALSE(player_->loader().alarm_armed()) << "the clock goes on without a folder";
    // A tick already on its way changes nothing either: it finds the folder gone again and is
    // told no more.
    pumpPending();
    EXPECT_EQ(messages_.shown().size(), 1u);
}

// A picture that counts how many of its kind live.
class CountedImage : public Image {
public:
    CountedImage() : Image(8, 8) { ++alive; }
    ~CountedImage() override { --alive; }
    static inline int alive = 0;
};

TEST_F(VideoPlayerTest, TicksAndPicturesOfAClosedRecordingAreDroppedAndFreed)
{
    const std::wstring folder = write_event(30, false);
    open_event(folder);
    ASSERT_TRUE(pumpUntil([&] { return player_->picture() != nullptr; }, 5000));
    const unsigned closed = player_->loader().recording();
    open_event(folder);
    ASSERT_TRUE(pumpUntil([&] { return player_->picture() != nullptr; }, 5000));
    const Image* shown = player_->picture();

    // A picture decoded for the recording before arrives late: freed, not shown.
    SendMessageW(player_->handle(), WM_PICTURE_DELIVERED, picture_wparam(5, closed),
                 reinterpret_cast<LPARAM>(new CountedImage));
    EXPECT_EQ(CountedImage::alive, 0);
    EXPECT_EQ(player_->picture(), shown);
    EXPECT_EQ(player_->shown_frame(), 0);
    // Its tick neither moves the clock nor tells the owner anything.
    owner_.updates.clear();
    SendMessageW(player_->handle(), WM_PLAYER_TICK, recording_tag(closed), 0);
    EXPECT_TRUE(owner_.updates.empty());
    // The same messages for the open recording are taken.
    const unsigned open = player_->loader().recording();
    SendMessageW(player_->handle(), WM_PICTURE_DELIVERED, picture_wparam(5, open),
                 reinterpret_cast<LPARAM>(new CountedImage));
    EXPECT_EQ(player_->shown_frame(), 5);
    SendMessageW(player_->handle(), WM_PLAYER_TICK, recording_tag(open), 0);
    EXPECT_EQ(owner_.updates.size(), 1u);
}

TEST_F(VideoPlayerTest, PicturesQueuedWhenThePlayerGoesAreFreed)
{
    open_event(write_event(30, false));
    PostMessageW(player_->handle(), WM_PICTURE_DELIVERED, picture_wparam(1, player_->loader().recording()),
                 reinterpret_cast<LPARAM>(new CountedImage));
    owner_.player = nullptr;
    DestroyWindow(player_->handle());
    player_ = nullptr;
    EXPECT_EQ(CountedImage::alive, 0);
}

TEST_F(VideoPlayerTest, ShowsOnePictureOfAnImageFolder)
{
    const std::wstring folder = card_.file(L"IMAGE");
    const auto names = samplecard::write_image_folder(folder, 3, 2, {320, 240, 60});
    set_current_data_type(data_type_image);
    player_->set_opened_kind(data_type_image);
    player_->set_picture_name(names[1]);
    player_->open_picture(folder);
    EXPECT_EQ(player_->state(), VideoPlayer::stopped);
    ASSERT_TRUE(pumpUntil([&] { return player_->picture() != nullptr; }, 5000));
    EXPECT_EQ(player_->info()->frame_count(), 1);

    // The picture's context menu command copies what is shown.
    ASSERT_TRUE(OpenClipboard(host_.get()));
    EmptyClipboard();
    CloseClipboard();
    UpdateWindow(player_->handle());
    SendMessageW(player_->handle(), WM_COMMAND, IDC_CMD_COPY, 0);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));

    EXPECT_THROW(player_->open_picture(card_.file(L"NOWHERE")), Exception);
}

TEST_F(VideoPlayerTest, PlaysAContinuousRecordingAcrossItsChaptersToTheEnd)
{
    // Two chapters of 1.2 s each at 10 frames per second; every chapter but the last counts as a
    // whole minute.
    EXPECT_EQ(load_continuous(2, 12, {320, 240, 60}), 600 + 12);
    ASSERT_TRUE(player_->open_chapter(0));
    EXPECT_EQ(player_->frame_period_ms(), 100);
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->chapter() == 1; }, 10000));
    EXPECT_EQ(player_->state(), VideoPlayer::playing) << "the next chapter goes on playing";
    ASSERT_TRUE(pumpUntil([&] { return player_->state() == VideoPlayer::stopped; }, 10000));
    EXPECT_EQ(player_->chapter(), 1);
    EXPECT_GE(player_->frame(), 10) << "the last chapter stops at its end";
    EXPECT_GE(owner_.chapters_opened, 2);

    // A position past the end is ignored; one in the first chapter goes back to it.
    player_->seek_total(613, 0);
    EXPECT_EQ(player_->chapter(), 1);
    player_->seek_total(605, 0);
    EXPECT_EQ(player_->chapter(), 1);
    EXPECT_EQ(player_->frame(), 5);
    player_->seek_total(5, 0);
    EXPECT_EQ(player_->chapter(), 0);
    EXPECT_EQ(player_->frame(), 5);
}

TEST_F(VideoPlayerTest, APositionInAnotherChapterShowsThePictureAtThatPosition)
{
    load_continuous(2, 12, {320, 240, 60});
    ASSERT_TRUE(player_->open_chapter(0));
    ASSERT_TRUE(pumpUntil([&] { return player_->shown_frame() == 0; }, 5000));
    // Standing, as when the bar is dragged while paused: the picture follows the position into
    // the next chapter and stands at its frame 7, not at the chapter's first frame.
    player_->seek_total(600 + 7, 0);
    EXPECT_EQ(player_->chapter(), 1);
    EXPECT_EQ(player_->frame(), 7);
    ASSERT_TRUE(pumpUntil([&] { return player_->shown_frame() == 7; }, 5000)) << player_->shown_frame();
    ASSERT_TRUE(pumpUntil([&] { return loader_at_rest(player_->handle(), player_->loader()); }));
    EXPECT_EQ(player_->shown_frame(), 7);
    EXPECT_NE(player_->state(), VideoPlayer::playing);
}

TEST_F(VideoPlayerTest, AChapterChangeAndTheEndReachTheSpeakerWithoutAClick)
{
    load_continuous(2, 15, {160, 120, 60}); // 1.5 s each
    ASSERT_TRUE(player_->open_chapter(0));
    SinkRecording recording(card_.file(L"heard.raw"));
    if (!recording.started()) {
        GTEST_SKIP() << "cannot start the recorder of the sound server";
    }
    ASSERT_TRUE(recording.connected());
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->chapter() == 1; }, 10000));
    ASSERT_TRUE(pumpUntil([&] { return player_->state() == VideoPlayer::stopped; }, 10000));
    ASSERT_TRUE(recording.heard_for(300)); // the device after the last buffer
    const std::vector<uint8_t> heard = recording.finish();
    // Both chapters' sound was heard, and nothing of it is a burst of 0x00 (the recorded sound
    // itself never comes near 0).
    size_t sounding = 0;
    for (const uint8_t sample : heard) {
        sounding += sample != 0x80 && sample != 0 ? 1 : 0;
    }
    EXPECT_GT(sounding, 11025u * 2) << "less than two seconds of the chapters' sound was heard";
    EXPECT_LE(longest_zero_run(heard), click_samples) << "a burst of 0x00 reached the speaker";
}

// The sound of a chapter as the archive reader extracts it.
std::vector<uint8_t> chapter_sound(const std::wstring& path)
{
    VideoArchive archive;
    archive.load_chapter(path);
    return WaveData::read(archive.sound_path()).samples();
}

TEST_F(VideoPlayerTest, TheNextChapterIsHeardFromItsFirstSampleRightAfterThePreviousOne)
{
    load_continuous(2, 20, {160, 120, 60}); // 2 s each
    const std::vector<std::wstring> paths = list_chapter_files(card_.file(L"CONT")).paths;
    ASSERT_EQ(paths.size(), 2u);
    const std::vector<uint8_t> first = chapter_sound(paths[0]);
    std::vector<uint8_t> second = chapter_sound(paths[1]);
    ASSERT_GT(second.size(), 11025u);
    // Its first second; the sound server may lose the very first samples of a stream that
    // starts (a few milliseconds at most), so the comparison begins a few samples in.
    const size_t lost_at_start = 64;
    second.assign(second.begin() + lost_at_start, second.begin() + 11025);
    ASSERT_TRUE(player_->open_chapter(0));
    SinkRecording recording(card_.file(L"heard.raw"));
    if (!recording.started()) {
        GTEST_SKIP() << "cannot start the recorder of the sound server";
    }
    ASSERT_TRUE(recording.connected());
    player_->play(0);
    ASSERT_TRUE(pumpUntil([&] { return player_->chapter() == 1; }, 10000));
    ASSERT_TRUE(pumpUntil([&] { return player_->state() == VideoPlayer::stopped; }, 10000));
    const std::vector<uint8_t> heard = recording.finish();

    // Where the first chapter's last piece ends and the second chapter's first piece begins.
    const std::vector<uint8_t> first_tail(first.end() - heard_piece, first.end());
    const size_t first_end = piece_positions(heard, first_tail)[0];
    ASSERT_NE(first_end, not_heard) << "the first chapter's end was not heard";
    const std::vector<size_t> pieces = piece_positions(heard, second, first_end + heard_piece);
    const size_t one_frame = 11025 / 10;
    ASSERT_NE(pieces[0], not_heard) << "the second chapter's first samples were not heard";
    EXPECT_LE(pieces[0] - lost_at_start - (first_end + heard_piece), one_frame) << "silence between the chapters";
    EXPECT_LE(longest_silence(heard), one_frame);
    // The second chapter's first second, piece after piece with nothing left out (a device run
    // dry on a loaded machine may put silence between two pieces, never other samples).
    for (size_t i = 1; i < pieces.size(); ++i) {
        ASSERT_NE(pieces[i], not_heard) << "piece " << i << " of the second chapter was skipped";
        const auto between = heard.begin() + static_cast<std::ptrdiff_t>(pieces[i - 1] + heard_piece);
        EXPECT_TRUE(std::all_of(between, heard.begin() + static_cast<std::ptrdiff_t>(pieces[i]),
                                [](uint8_t sample) { return sample == 0x80 || sample == 0; }))
            << "samples skipped before piece " << i;
    }
}

TEST_F(VideoPlayerTest, SixtyOneChaptersAreCutToSixtyWithOneWarning)
{
    samplecard::ContinuousOptions options;
    options.chapters = 61;
    options.chapter_frames = 2;
    options.sound = false;
    options.picture = {64, 48, 50};
    const std::wstring folder = card_.file(L"LONG");
    samplecard::write_continuous_folder(folder, options);
    set_current_data_type(data_type_continuous);
    player_->set_opened_kind(data_type_continuous);
    player_->load_chapters(folder);
    EXPECT_EQ(player_->chapter_count(), 60);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, L"連続記録データは60分までしか再生できません。");
    EXPECT_FALSE(player_->open_chapter(60));
}

} // namespace
