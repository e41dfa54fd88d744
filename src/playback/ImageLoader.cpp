#include "playback/ImageLoader.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "playback/PlayerMessages.h"
#include "image/Image.h"

#include <mmsystem.h>

#include <cstdio>
#include <ctime>
#include <cwchar>

namespace {

constexpr DWORD lock_limit_ms = 3000;

std::wstring unique_name(const wchar_t* kind, const void* self)
{
    // The loader's address and the local clock make the names unique per loader and process run.
    std::time_t now = std::time(nullptr);
    std::tm local = *std::localtime(&now);
    local.tm_isdst = -1;
    const long stamp = static_cast<long>(static_cast<int32_t>(std::mktime(&local)));
    wchar_t name[64];
    std::swprintf(name, 64, L"%ls%08p%ld", kind, self, stamp);
    return std::wstring(name).substr(0, 32);
}

} // namespace

// Holds the loader's mutex for the time of one archive operation.
class ImageLoader::Lock {
public:
    Lock(HANDLE mutex, DWORD wait_ms) : mutex_(mutex)
    {
        const DWORD result = WaitForSingleObject(mutex, wait_ms);
        held_ = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
    }
    ~Lock()
    {
        if (held_) {
            ReleaseMutex(mutex_);
        }
    }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    bool held() const { return held_; }

private:
    HANDLE mutex_;
    bool held_ = false;
};

ImageLoader::ImageLoader(HWND owner) : archive_(std::make_unique<VideoArchive>()), owner_(owner)
{
    event_name_ = unique_name(L"event", this);
    mutex_name_ = unique_name(L"mutex", this);
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    event_ = CreateEventW(&inheritable, FALSE, FALSE, event_name_.c_str());
    mutex_ = CreateMutexW(&inheritable, FALSE, mutex_name_.c_str());
    thread_ = CreateThread(nullptr, 0, worker_entry, this, CREATE_SUSPENDED, nullptr);
    if (thread_ != nullptr) {
        SetThreadPriority(thread_, THREAD_PRIORITY_NORMAL);
        ResumeThread(thread_);
    }
}

ImageLoader::~ImageLoader()
{
    stop_ = true;
    if (thread_ != nullptr) {
        WaitForSingleObject(thread_, lock_limit_ms);
        CloseHandle(thread_);
    }
    if (event_ != nullptr) {
        CloseHandle(event_);
    }
    if (mutex_ != nullptr) {
        CloseHandle(mutex_);
    }
}

DWORD WINAPI ImageLoader::worker_entry(LPVOID self)
{
    static_cast<ImageLoader*>(self)->work();
    return 0;
}

void ImageLoader::work()
{
    // The worker uses handles of its own, opened by name.
    HANDLE event = OpenEventW(EVENT_ALL_ACCESS, FALSE, event_name_.c_str());
    HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, mutex_name_.c_str());
    while (!stop_) {
        const bool signalled = event != nullptr && WaitForSingleObject(event, 1) == WAIT_OBJECT_0;
        if (event == nullptr) {
            Sleep(1);
        }
        if (stop_) {
            break;
        }
        if (signalled && owner_ != nullptr && mutex != nullptr) {
            Lock lock(mutex, 1);
            if (lock.held()) {
                decode_requested();
            }
        }
        if (alarm_set_ && static_cast<int32_t>(timeGetTime() - alarm_time_.load()) >= 0) {
            alarm_set_ = false;
            PostMessageW(owner_, WM_PLAYER_TICK, 0, 0);
        }
    }
    if (event != nullptr) {
        CloseHandle(event);
    }
    if (mutex != nullptr) {
        CloseHandle(mutex);
    }
}

void ImageLoader::decode_requested()
{
    busy_ = true;
    std::unique_ptr<Image> picture = archive_->frame_picture(requested_);
    if (!cancel_ && !stop_) {
        // The picture changes owner with the message; if it cannot be posted it is freed here.
        if (PostMessageW(owner_, WM_PICTURE_DELIVERED, static_cast<WPARAM>(requested_),
                         reinterpret_cast<LPARAM>(picture.get()))) {
            picture.release();
        }
    } else {
        cancel_ = false;
    }
    busy_ = false;
}

bool ImageLoader::request(int index)
{
    {
        Lock lock(mutex_, 0);
        if (!lock.held()) {
            return false;
        }
        requested_ = index;
        // A cancel meant for an earlier decode must not drop this one.
        cancel_ = false;
    }
    // Signalled only once the lock is free again: the worker waits just a moment for the lock
    // after the signal, and a request it found still locked would be lost.
    SetEvent(event_);
    return true;
}

void ImageLoader::cancel()
{
    disarm();
    cancel_current();
    close_archive();
}

bool ImageLoader::idle()
{
    Lock lock(mutex_, 0);
    return lock.held();
}

void ImageLoader::cancel_current()
{
    if (!idle()) {
        cancel_ = true;
    }
}

template <typename Operation> auto ImageLoader::locked(Operation operation)
{
    Lock lock(mutex_, lock_limit_ms);
    if (!lock.held()) {
        throw ImageException(load_text(texts::image_archive_unreadable)); // "イメージアーカイブを読み込めません。"
    }
    return operation(*archive_);
}

void ImageLoader::open_event(const std::wstring& path)
{
    locked([&](VideoArchive& archive) { archive.load_event(path); });
}

void ImageLoader::open_chapter(const std::wstring& path)
{
    locked([&](VideoArchive& archive) { archive.load_chapter(path); });
}

bool ImageLoader::open_images(const std::wstring& folder)
{
    return locked([&](VideoArchive& archive) { return archive.load_images(folder); });
}

void ImageLoader::open_picture_file(const std::wstring& path)
{
    locked([&](VideoArchive& archive) { archive.load_picture_file(path); });
}

void ImageLoader::open_listed_picture(int index)
{
    locked([&](VideoArchive& archive) { archive.open_picture_file(index); });
}

void ImageLoader::set_chapter(int chapter)
{
    locked([&](VideoArchive& archive) { archive.set_chapter_number(chapter); });
}

bool ImageLoader::close_archive()
{
    Lock lock(mutex_, lock_limit_ms);
    if (lock.held()) {
        archive_->reset();
    }
    return lock.held();
}

void ImageLoader::alarm(unsigned interval_ms)
{
    alarm_time_ = timeGetTime() + interval_ms;
    alarm_set_ = true;
}

void ImageLoader::disarm() { alarm_set_ = false; }

const std::wstring& ImageLoader::sound_path() const { return archive_->sound_path(); }
