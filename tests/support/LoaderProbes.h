#pragma once
// Looking at a background loader from outside: holding its lock as a long decode would, and
// telling when it and its owner have done everything asked of them.
#include "playback/ImageLoader.h"
#include "playback/PlayerMessages.h"

#include <windows.h>

#include <string>
#include <thread>

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
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    HANDLE mutex_;
    HANDLE release_;
    std::thread thread_;
};

// Whether `loader` has nothing left to do and `owner` (after what is queued now has been
// dispatched) nothing left to take from it: nothing can change any more unless asked.
inline bool loader_at_rest(HWND owner, const ImageLoader& loader)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return loader.settled() &&
           !PeekMessageW(&message, owner, WM_PLAYER_TICK, WM_PICTURE_DELIVERED, PM_NOREMOVE);
}
