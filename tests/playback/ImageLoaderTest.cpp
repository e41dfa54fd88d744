// The background loader with real archives written by the sample card writer.
#include "playback/ImageLoader.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "playback/PlayerMessages.h"
#include "samplecard/CardWriter.h"
#include "support/LoaderProbes.h"
#include "samplecard/EventRecording.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "image/Image.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <memory>
#include <new>
#include <vector>

namespace {

// Collects what the loader posts to its owner.
class Owner {
public:
    ~Owner()
    {
        MSG message;
        while (PeekMessageW(&message, window_.get(), WM_PICTURE_DELIVERED, WM_PICTURE_DELIVERED, PM_REMOVE)) {
            delete reinterpret_cast<Image*>(message.lParam);
        }
    }
    HWND get() const { return window_.get(); }

    struct Delivery {
        int index;
        WPARAM tag;
        std::unique_ptr<Image> picture;
    };
    std::vector<Delivery> deliveries;
    std::vector<WPARAM> alarms;

private:
    MessageWindow window_{[this](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PICTURE_DELIVERED) {
            deliveries.push_back(
                {picture_index(wParam), wParam, std::unique_ptr<Image>(reinterpret_cast<Image*>(lParam))});
            return true;
        }
        if (message == WM_PLAYER_TICK) {
            alarms.push_back(wParam);
        }
        return message == WM_PLAYER_TICK;
    }};
};

// A manual-reset event of the test's own.
class Signal {
public:
    Signal() : event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Signal() { CloseHandle(event_); }
    void set() { SetEvent(event_); }
    bool wait(DWORD ms) { return WaitForSingleObject(event_, ms) == WAIT_OBJECT_0; }

private:
    HANDLE event_;
};

class ImageLoaderTest : public ::testing::Test {
protected:
    std::wstring write_event(int frames)
    {
        samplecard::EventOptions options;
        options.frames = frames;
        options.detection_frame = frames / 2;
        write_bytes(folder_.file(L"Video.dvt"), samplecard::make_event(options).bytes);
        return folder_.file(L"Video.dvt");
    }

    TempFolder folder_;
    Owner owner_;
};

TEST_F(ImageLoaderTest, DeliversTheDecodedPictureOfTheRequestedFrame)
{
    ImageLoader loader(owner_.get());
    loader.open_event(write_event(30));
    EXPECT_EQ(loader.archive().frame_count(), 30);
    EXPECT_FALSE(loader.sound_path().empty());
    ASSERT_TRUE(pumpUntil([&] { return loader.request(7); }, 2000));
    ASSERT_TRUE(pumpUntil([&] { return !owner_.deliveries.empty(); }, 5000));
    EXPECT_EQ(owner_.deliveries[0].index, 7);
    ASSERT_NE(owner_.deliveries[0].picture, nullptr);
    EXPECT_EQ(owner_.deliveries[0].picture->width(), 640);
    EXPECT_EQ(owner_.deliveries[0].picture->height(), 480);
}

TEST_F(ImageLoaderTest, AFrameThatCannotBeDecodedIsPostedWithoutPicture)
{
    ImageLoader loader(owner_.get());
    ASSERT_TRUE(loader.request(3)); // nothing open: no picture for any frame
    ASSERT_TRUE(pumpUntil([&] { return !owner_.deliveries.empty(); }, 5000));
    EXPECT_EQ(owner_.deliveries[0].index, 3);
    EXPECT_EQ(owner_.deliveries[0].picture, nullptr);
}

TEST_F(ImageLoaderTest, ARequestWhileTheLockIsHeldIsRefusedThenAccepted)
{
    ImageLoader loader(owner_.get());
    loader.open_event(write_event(30));
    {
        // Another holder of the lock (as the worker during a decode) makes a request fail at once.
        // The holder keeps it until it goes: a request that waited would never come back.
        LockHolder holder(loader.mutex_name(), 0);
        EXPECT_FALSE(loader.request(2));
        EXPECT_FALSE(loader.idle());
    }
    EXPECT_TRUE(loader.request(2));
    ASSERT_TRUE(pumpUntil([&] { return !owner_.deliveries.empty(); }, 5000));
    EXPECT_EQ(owner_.deliveries[0].index, 2);
}

TEST_F(ImageLoaderTest, CancellingDropsThePictureInFlightAndClosesTheArchive)
{
    // A decode held in its middle until the cancel has marked it.
    Signal decoding;
    Signal release;
    ImageLoader loader(owner_.get(), [&](VideoArchive& archive, int index) {
        decoding.set();
        release.wait(20000);
        return archive.frame_picture(index);
    });
    loader.open_event(write_event(4));
    const std::wstring sound = loader.sound_path();
    ASSERT_TRUE(loader.request(1));
    ASSERT_TRUE(decoding.wait(5000));
    loader.cancel_current();
    release.set();
    loader.cancel(); // waits for the decode to end, then closes the archive
    ASSERT_TRUE(pumpUntil([&] { return loader.settled(); }, 5000));
    pumpPending();
    EXPECT_TRUE(owner_.deliveries.empty()) << "the cancelled picture was delivered";
    EXPECT_EQ(loader.archive().frame_count(), 0);
    EXPECT_EQ(GetFileAttributesW(sound.c_str()), INVALID_FILE_ATTRIBUTES) << "the temporary sound stays";

    // A request after the cancel is delivered; the cancelled picture, posted before it if at
    // all, would have come first.
    loader.open_event(write_event(10));
    ASSERT_TRUE(pumpUntil([&] { return loader.request(5); }, 2000));
    ASSERT_TRUE(pumpUntil([&] { return !owner_.deliveries.empty(); }, 5000));
    EXPECT_EQ(owner_.deliveries[0].index, 5) << "the picture decoded during cancel arrived";
    EXPECT_TRUE(picture_belongs_to(owner_.deliveries[0].tag, loader.recording()));
    EXPECT_NE(owner_.deliveries[0].picture, nullptr);
}

TEST_F(ImageLoaderTest, TheAlarmFiresOnceAndADisarmedOneNever)
{
    ImageLoader loader(owner_.get());
    loader.alarm(30);
    EXPECT_TRUE(loader.alarm_armed());
    ASSERT_TRUE(pumpUntil([&] { return owner_.alarms.size() == 1; }, 2000));
    EXPECT_FALSE(loader.alarm_armed()) << "one-shot";
    // A disarmed short alarm, then a longer one: only the longer one arrives, and alone.
    loader.alarm(20);
    loader.disarm();
    EXPECT_FALSE(loader.alarm_armed());
    loader.alarm(150);
    ASSERT_TRUE(pumpUntil([&] { return owner_.alarms.size() >= 2; }, 2000));
    EXPECT_EQ(owner_.alarms.size(), 2u);
    EXPECT_FALSE(loader.alarm_armed());
}

TEST_F(ImageLoaderTest, EveryMessageCarriesTheRecordingItWasMadeFor)
{
    ImageLoader loader(owner_.get());
    loader.open_event(write_event(10));
    const unsigned first = loader.recording();
    loader.alarm(0);
    ASSERT_TRUE(pumpUntil([&] { return loader.request(2); }, 2000));
    ASSERT_TRUE(pumpUntil([&] { return owner_.alarms.size() == 1 && owner_.deliveries.size() == 1; }, 5000));
    EXPECT_TRUE(tick_belongs_to(owner_.alarms[0], first));
    EXPECT_TRUE(picture_belongs_to(owner_.deliveries[0].tag, first));

    // Closing and every opening start a new recording: what was made before is told apart.
    loader.close_archive();
    EXPECT_NE(loader.recording(), first);
    loader.open_event(write_event(10));
    const unsigned second = loader.recording();
    EXPECT_FALSE(picture_belongs_to(owner_.deliveries[0].tag, second));
    EXPECT_FALSE(tick_belongs_to(owner_.alarms[0], second));
    ASSERT_TRUE(pumpUntil([&] { return loader.request(3); }, 2000));
    ASSERT_TRUE(pumpUntil([&] { return owner_.deliveries.size() == 2; }, 5000));
    EXPECT_TRUE(picture_belongs_to(owner_.deliveries[1].tag, second));
    EXPECT_EQ(owner_.deliveries[1].index, 3);
}

TEST_F(ImageLoaderTest, ArchiveFailuresPassOnAndTheLockTimesOutWith5511)
{
    ImageLoader loader(owner_.get());
    EXPECT_THROW(loader.open_event(folder_.file(L"missing.dvt")), VideoArchiveException);

    LockHolder holder(loader.mutex_name(), 4000);
    try {
        loader.open_event(write_event(10));
        FAIL() << "opened without the lock";
    } catch (const ImageException& failure) {
        EXPECT_EQ(failure.message(), load_text(texts::image_archive_unreadable));
    }
}

TEST(ImageLoaderNames, TwoLoadersMadeInTheSameSecondGetDifferentNames)
{
    ImageLoader first(nullptr);
    ImageLoader second(nullptr);
    EXPECT_NE(first.event_name(), second.event_name());
    EXPECT_NE(first.mutex_name(), second.mutex_name());
    EXPECT_EQ(first.event_name().rfind(L"event", 0), 0u);
}

TEST(ImageLoaderNames, ALoaderWhoseEventCannotBeMadeSaysWhy)
{
    // A second loader made at the same address in the same second takes the same names; another
    // kind of object under its event's name keeps the event from being made.
    alignas(ImageLoader) unsigned char storage[sizeof(ImageLoader)];
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::wstring taken = (new (storage) ImageLoader(nullptr))->event_name();
        std::launder(reinterpret_cast<ImageLoader*>(storage))->~ImageLoader();
        KernelHandle squatter(CreateMutexW(nullptr, FALSE, taken.c_str()));
        ASSERT_TRUE(squatter);
        try {
            auto* made = new (storage) ImageLoader(nullptr);
            const bool same_name = made->event_name() == taken;
            made->~ImageLoader();
            ASSERT_FALSE(same_name) << "made a loader without its event";
        } catch (const WindowException& failure) {
            EXPECT_FALSE(failure.message().empty());
            return;
        }
        // the clock's second turned in between: again
    }
    FAIL() << "the names changed every time";
}

// A picture that counts how many of its kind live.
class CountedImage : public Image {
public:
    CountedImage() : Image(8, 8) { ++alive; }
    ~CountedImage() override { --alive; }
    static inline int alive = 0;
};

bool file_exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(ImageLoaderLifetime, AWorkerOutlivingTheLoaderKeepsItsArchiveUntilItEnds)
{
    TempFolder folder;
    samplecard::EventOptions options;
    options.frames = 10;
    write_bytes(folder.file(L"Video.dvt"), samplecard::make_event(options).bytes);
    HostWindow owner(0, 0, 10, 10, WS_POPUP);
    Signal decoding;
    Signal release;
    std::wstring sound;
    int frames_seen = -1;
    {
        // A decode that outlasts the loader's wait for its worker.
        ImageLoader loader(owner.get(), [&](VideoArchive& archive, int) {
            decoding.set();
            release.wait(20000);
            frames_seen = archive.frame_count(); // touches the archive after the loader has gone
            return std::unique_ptr<Image>(new CountedImage);
        });
        loader.open_event(folder.file(L"Video.dvt"));
        sound = loader.sound_path();
        ASSERT_TRUE(loader.request(1));
        ASSERT_TRUE(decoding.wait(5000));
    }
    // The archive (and with it the temporary sound file) lives on while its worker runs.
    EXPECT_TRUE(file_exists(sound)) << "the archive was freed under the running worker";
    release.set();
    EXPECT_TRUE(pumpUntil([&] { return !file_exists(sound); }, 10000)) << "the worker did not free it";
    EXPECT_EQ(frames_seen, 10);
    EXPECT_EQ(CountedImage::alive, 0) << "the picture of a loader that has gone is dropped";
}

TEST(ImageLoaderLifetime, PicturesStillQueuedForTheOwnerAreFreedWithTheLoader)
{
    HostWindow owner(0, 0, 10, 10, WS_POPUP);
    {
        ImageLoader loader(owner.get(), [](VideoArchive&, int) { return std::unique_ptr<Image>(new CountedImage); });
        ASSERT_TRUE(loader.request(0));
        // Waits for the posted picture without taking it (a pump would hand it on): a posted
        // message wakes the wait.
        MSG message;
        const DWORD start = GetTickCount();
        bool queued = false;
        while (!(queued = PeekMessageW(&message, owner.get(), WM_PICTURE_DELIVERED, WM_PICTURE_DELIVERED,
                                       PM_NOREMOVE) != FALSE) &&
               GetTickCount() - start < 10000) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10000, QS_POSTMESSAGE);
        }
        ASSERT_TRUE(queued);
        EXPECT_EQ(CountedImage::alive, 1);
    }
    EXPECT_EQ(CountedImage::alive, 0) << "a queued picture leaked";
}

} // namespace
