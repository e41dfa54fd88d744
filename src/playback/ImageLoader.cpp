#include "playback/ImageLoader.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "image/Image.h"
#include "platform/WindowsError.h"
#include "playback/PlayerMessages.h"

#include <mmsystem.h>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <cwchar>
#include <mutex>

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

struct ImageLoader::Shared {
    std::unique_ptr<VideoArchive> archive = std::make_unique<VideoArchive>();
    HWND owner = nullptr;
    Decoder decoder;
    std::wstring event_name;
    std::wstring mutex_name;
    int requested = 0;              // guarded by the mutex
    unsigned requested_recording = 0; // guarded by the mutex
    std::atomic<unsigned> recording{0};
    std::atomic<bool> waiting{false}; // a request is stored and not yet taken up
    std::atomic<bool> busy{false};
    std::atomic<bool> cancel{false};
    std::atomic<bool> stop{false};
    // The alarm is armed on one thread and fired on the other: its three values change together
    // under this lock, so an alarm armed while the worker fires the one before is never lost.
    mutable std::mutex alarm_lock;
    bool alarm_set = false;
    DWORD alarm_time = 0;
    unsigned alarm_recording = 0;
    // Wakes the worker when the alarm changes or it is to stop; it sleeps otherwise.
    KernelHandle wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};

    void work();
    DWORD wait_limit() const;
    void decode_requested();
    void fire_alarm_if_due();
    // A new recording number, under the lock: a request not taken up yet was for the one before.
    void start_recording()
    {
        ++recording;
        waiting = false;
    }
};

// Holds a mutex for the time of one operation.
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

ImageLoader::ImageLoader(HWND owner, Decoder decoder) : shared_(std::make_shared<Shared>())
{
    shared_->owner = owner;
    shared_->decoder = decoder ? std::move(decoder)
                               : Decoder([](VideoArchive& archive, int index) { return archive.frame_picture(index); });
    shared_->event_name = unique_name(L"event", this);
    shared_->mutex_name = unique_name(L"mutex", this);
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    event_.reset(CreateEventW(&inheritable, FALSE, FALSE, shared_->event_name.c_str()));
    throw_unless(event_ && shared_->wake);
    mutex_.reset(CreateMutexW(&inheritable, FALSE, shared_->mutex_name.c_str()));
    throw_unless(static_cast<bool>(mutex_));
    // The worker keeps its own reference to what it touches.
    auto worker_share = std::make_unique<std::shared_ptr<Shared>>(shared_);
    thread_.reset(CreateThread(nullptr, 0, worker_entry, worker_share.get(), CREATE_SUSPENDED, nullptr));
    throw_unless(static_cast<bool>(thread_));
    worker_share.release(); // the worker frees it
    SetThreadPriority(thread_.get(), THREAD_PRIORITY_NORMAL);
    ResumeThread(thread_.get());
}

void ImageLoader::throw_unless(bool created)
{
    // Without its event, lock or worker the loader would show nothing at all: say why instead.
    if (!created) {
        throw format_error(GetLastError());
    }
}

ImageLoader::~ImageLoader()
{
    shared_->stop = true;
    SetEvent(shared_->wake.get());
    if (thread_) {
        // A worker still running after the wait keeps the archive alive and frees it itself.
        WaitForSingleObject(thread_.get(), lock_limit_ms);
    }
    free_queued_pictures(shared_->owner);
}

void ImageLoader::free_queued_pictures(HWND owner)
{
    if (owner == nullptr || GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId()) {
        return;
    }
    MSG message;
    while (PeekMessageW(&message, owner, WM_PICTURE_DELIVERED, WM_PICTURE_DELIVERED, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // A pending quit comes back whatever the filter (the main window posts it before its
            // children are destroyed): it goes back to the message loop, which it is to end.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        delete reinterpret_cast<Image*>(message.lParam);
    }
}

DWORD WINAPI ImageLoader::worker_entry(LPVOID shared)
{
    std::unique_ptr<std::shared_ptr<Shared>> share(static_cast<std::shared_ptr<Shared>*>(shared));
    (*share)->work();
    return 0;
}

void ImageLoader::Shared::work()
{
    // The worker uses handles of its own, opened by name.
    KernelHandle event(OpenEventW(EVENT_ALL_ACCESS, FALSE, event_name.c_str()));
    KernelHandle mutex(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, mutex_name.c_str()));
    if (!event || !wake) {
        return; // nothing can reach a worker without its events
    }
    const HANDLE waited[2] = {event.get(), wake.get()};
    while (!stop) {
        // Asleep until a request, a change of the alarm, or the alarm's moment: no polling.
        const bool signalled = WaitForMultipleObjects(2, waited, FALSE, wait_limit()) == WAIT_OBJECT_0;
        if (stop) {
            break;
        }
        if (signalled && owner != nullptr && mutex) {
            Lock lock(mutex.get(), 1);
            if (lock.held()) {
                decode_requested();
            }
        }
        fire_alarm_if_due();
    }
}

DWORD ImageLoader::Shared::wait_limit() const
{
    const std::lock_guard<std::mutex> lock(alarm_lock);
    if (!alarm_set) {
        return INFINITE;
    }
    const auto left = static_cast<int32_t>(alarm_time - timeGetTime());
    return left > 0 ? static_cast<DWORD>(left) : 0;
}

void ImageLoader::Shared::fire_alarm_if_due()
{
    unsigned fired_for = 0;
    {
        const std::lock_guard<std::mutex> lock(alarm_lock);
        if (!alarm_set || static_cast<int32_t>(timeGetTime() - alarm_time) < 0) {
            return;
        }
        alarm_set = false;
        fired_for = alarm_recording;
    }
    PostMessageW(owner, WM_PLAYER_TICK, recording_tag(fired_for), 0);
}

void ImageLoader::Shared::decode_requested()
{
    busy = true;
    waiting = false;
    std::unique_ptr<Image> picture = decoder(*archive, requested);
    if (!cancel && !stop) {
        // The picture changes owner with the message; if it cannot be posted it is freed here.
        if (PostMessageW(owner, WM_PICTURE_DELIVERED, picture_wparam(requested, requested_recording),
                         reinterpret_cast<LPARAM>(picture.get()))) {
            picture.release();
        }
    } else {
        cancel = false;
    }
    busy = false;
}

bool ImageLoader::request(int index)
{
    {
        Lock lock(mutex_.get(), 0);
        if (!lock.held()) {
            return false;
        }
        shared_->requested = index;
        shared_->requested_recording = shared_->recording;
        shared_->waiting = true;
        // A cancel meant for an earlier decode must not drop this one.
        shared_->cancel = false;
    }
    // Signalled only once the lock is free again: the worker waits just a moment for the lock
    // after the signal, and a request it found still locked would be lost.
    SetEvent(event_.get());
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
    Lock lock(mutex_.get(), 0);
    return lock.held();
}

void ImageLoader::cancel_current()
{
    if (!idle()) {
        shared_->cancel = true;
    }
}

unsigned ImageLoader::recording() const { return shared_->recording; }

template <typename Operation> auto ImageLoader::locked(Operation operation)
{
    Lock lock(mutex_.get(), lock_limit_ms);
    if (!lock.held()) {
        throw ImageException(load_text(texts::image_archive_unreadable)); // "イメージアーカイブを読み込めません。"
    }
    return operation(*shared_->archive);
}

void ImageLoader::open_event(const std::wstring& path)
{
    locked([&](VideoArchive& archive) {
        shared_->start_recording();
        archive.load_event(path);
    });
}

void ImageLoader::open_chapter(const std::wstring& path)
{
    locked([&](VideoArchive& archive) {
        shared_->start_recording();
        archive.load_chapter(path);
    });
}

bool ImageLoader::open_images(const std::wstring& folder)
{
    return locked([&](VideoArchive& archive) {
        shared_->start_recording();
        return archive.load_images(folder);
    });
}

void ImageLoader::open_picture_file(const std::wstring& path)
{
    locked([&](VideoArchive& archive) {
        shared_->start_recording();
        archive.load_picture_file(path);
    });
}

void ImageLoader::open_listed_picture(int index)
{
    locked([&](VideoArchive& archive) {
        shared_->start_recording();
        archive.open_picture_file(index);
    });
}

void ImageLoader::set_chapter(int chapter)
{
    locked([&](VideoArchive& archive) { archive.set_chapter_number(chapter); });
}

bool ImageLoader::close_archive()
{
    ++shared_->recording; // whatever comes of the recording closed now is stale
    Lock lock(mutex_.get(), lock_limit_ms);
    if (lock.held()) {
        shared_->archive->reset();
        shared_->waiting = false; // a request not taken up yet is for the recording closed now
    }
    return lock.held();
}

void ImageLoader::alarm(unsigned interval_ms)
{
    {
        const std::lock_guard<std::mutex> lock(shared_->alarm_lock);
        shared_->alarm_recording = shared_->recording.load();
        shared_->alarm_time = timeGetTime() + interval_ms;
        shared_->alarm_set = true;
    }
    SetEvent(shared_->wake.get());
}

void ImageLoader::disarm()
{
    {
        const std::lock_guard<std::mutex> lock(shared_->alarm_lock);
        shared_->alarm_set = false;
    }
    SetEvent(shared_->wake.get());
}

bool ImageLoader::alarm_armed() const
{
    const std::lock_guard<std::mutex> lock(shared_->alarm_lock);
    return shared_->alarm_set;
}

bool ImageLoader::settled() const
{
    return !shared_->waiting && !shared_->busy && !alarm_armed();
}

const VideoArchive& ImageLoader::archive() const { return *shared_->archive; }

const std::wstring& ImageLoader::sound_path() const { return shared_->archive->sound_path(); }

const std::wstring& ImageLoader::event_name() const { return shared_->event_name; }

const std::wstring& ImageLoader::mutex_name() const { return shared_->mutex_name; }
