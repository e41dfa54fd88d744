// The background loader with real archives written by the sample card writer.
#include "playback/ImageLoader.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "playback/PlayerMessages.h"
#include "samplecard/CardWriter.h"
#include "samplecard/EventRecording.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"
#include "image/Image.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <memory>
#include <thread>
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
        std::unique_ptr<Image> picture;
    };
    std::vector<Delivery> deliveries;
    int alarms = 0;

private:
    MessageWindow window_{[this](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_PICTURE_DELIVERED) {
            deliveries.push_back({static_cast<int>(wParam), std::unique_ptr<Image>(reinterpret_cast<Image*>(lParam))});
            return true;
        }
        alarms += message == WM_PLAYER_TICK ? 1 : 0;
        return message == WM_PLAYER_TICK;
    }};
};

// Holds a loader's lock on a thread of its own, as the worker does during a decode: until the
// object goes, or for `hold_ms` when that is not 0.
class LockHolder {
public:
    LockHolder(const std::wstring& name, DWORD hold_ms)
        : mutex_(OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, name.c_str())),
          release_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        HANDLE taken = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, taken, hold_ms] {
            WaitForSingleObject(mutex_, INFINITE);
            SetEvent(taken);
            WaitForSingleObject(release_, hold_ms == 0 ? INFINITE : hold_ms);
            ReleaseMutex(mutex_);
        });
        WaitForSingleObject(taken, 5000);
        CloseHandle(taken);
    }
    ~LockHolder()
    {
        SetEvent(release_);
        thread_.join();
        CloseHandle(release_);
        CloseHandle(mutex_);
    }

private:
    HANDLE mutex_;
    HANDLE release_;
    std::thread thread_;
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
        LockHolder holder(loader.mutex_name(), 0);
        const DWORD before = timeGetTime();
        EXPECT_FALSE(loader.request(2));
        EXPECT_LT(timeGetTime() - before, 1000u); // never waits
        EXPECT_FALSE(loader.idle());
    }
    EXPECT_TRUE(loader.request(2));
    ASSERT_TRUE(pumpUntil([&] { return !owner_.deliveries.empty(); }, 5000));
    EXPECT_EQ(owner_.deliveries[0].index, 2);
}

TEST_F(ImageLoaderTest, CancellingDropsThePictureInFlightAndClosesTheArchive)
{
    // Large pictures keep the worker busy long enough to cancel in the middle of a decode.
    samplecard::EventOptions options;
    options.frames = 4;
    options.picture = {2048, 1536, 60};
    write_bytes(folder_.file(L"Video.dvt"), samplecard::make_event(options).bytes);
    ImageLoader loader(owner_.get());
    loader.open_event(folder_.file(L"Video.dvt"));
    const std::wstring sound = loader.sound_path();
    ASSERT_TRUE(loader.request(1));
    const DWORD start = timeGetTime();
    while (loader.idle() && owner_.deliveries.empty() && timeGetTime() - start < 5000) {
        Sleep(0);
    }
    ASSERT_TRUE(owner_.deliveries.empty()) << "the decode ended before it could be cancelled";
    loader.cancel();
    pumpUntil([] { return false; }, 800);
    EXPECT_TRUE(owner_.deliveries.empty()) << "the picture decoded during cancel arrived";
    EXPECT_EQ(loader.archive().frame_count(), 0);
    EXPECT_EQ(GetFileAttributesW(sound.c_str()), INVALID_FILE_ATTRIBUTES) << "the temporary sound stays";

    // A request after the cancel is delivered again.
    loader.open_event(write_event(10));
    ASSERT_TRUE(pumpUntil([&] { return loader.request(5); }, 2000));
    ASSERT_TRUE(pumpUntil([&] { return !owner_.deliveries.empty(); }, 5000));
    EXPECT_EQ(owner_.deliveries[0].index, 5);
    EXPECT_NE(owner_.deliveries[0].picture, nullptr);
}

TEST_F(ImageLoaderTest, TheAlarmFiresOnceAfterItsIntervalAndCanBeDisarmed)
{
    ImageLoader loader(owner_.get());
    loader.alarm(30);
    ASSERT_TRUE(pumpUntil([&] { return owner_.alarms == 1; }, 2000));
    pumpUntil([] { return false; }, 200);
    EXPECT_EQ(owner_.alarms, 1);
    loader.alarm(100);
    loader.disarm();
    pumpUntil([] { return false; }, 300);
    EXPECT_EQ(owner_.alarms, 1);
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

TEST(ImageLoaderLifetime, DestroyingTheLoaderDuringADecodeEnds)
{
    TempFolder folder;
    samplecard::EventOptions options;
    options.frames = 30;
    write_bytes(folder.file(L"Video.dvt"), samplecard::make_event(options).bytes);
    HostWindow owner(0, 0, 10, 10, WS_POPUP);
    const DWORD before = timeGetTime();
    {
        ImageLoader loader(owner.get());
        loader.open_event(folder.file(L"Video.dvt"));
        loader.request(1);
    }
    EXPECT_LT(timeGetTime() - before, 10000u);
    MSG message;
    while (PeekMessageW(&message, owner.get(), WM_PICTURE_DELIVERED, WM_PICTURE_DELIVERED, PM_REMOVE)) {
        delete reinterpret_cast<Image*>(message.lParam);
    }
}

} // namespace
