#pragma once
// Decodes pictures of the open recording on a worker thread, one request at a time, and posts
// each to the owner window. Every use of the archive, by the worker or by the caller, happens
// under the loader's mutex, so opening or closing a recording never overlaps a decode.
#include "recording/VideoArchive.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

class ImageLoader {
public:
    // `owner` receives WM_PICTURE_DELIVERED and WM_PLAYER_TICK; null means no decoding.
    explicit ImageLoader(HWND owner);
    virtual ~ImageLoader();
    ImageLoader(const ImageLoader&) = delete;
    ImageLoader& operator=(const ImageLoader&) = delete;

    // Asks for the picture of frame `index`; false, without waiting, while a decode or an
    // archive operation runs (the caller asks again later).
    bool request(int index);
    // Drops the picture being decoded, if any, disarms the alarm and closes the archive.
    void cancel();

    // Archive operations, each waiting up to 3000 ms for the lock (ImageException 5511 when it
    // cannot be had). Failures of the archive itself pass on unchanged.
    void open_event(const std::wstring& path);
    void open_chapter(const std::wstring& path);
    bool open_images(const std::wstring& folder); // true when more than 600 pictures exist
    void open_picture_file(const std::wstring& path);
    void open_listed_picture(int index);
    void set_chapter(int chapter);
    // Releases the archive (and its temporary sound file); false when the lock was not had.
    bool close_archive();

    // One-shot alarm: the worker posts WM_PLAYER_TICK once `interval_ms` have passed.
    void alarm(unsigned interval_ms);
    void disarm();
    // True when nothing holds the lock at this instant (nothing is being decoded).
    bool idle();
    // Marks the decode in flight as cancelled: its picture is thrown away.
    void cancel_current();

    // The archive, to be read only while no archive operation runs (the recording
    // information views it; the worker only reads pictures).
    const VideoArchive& archive() const { return *archive_; }
    const std::wstring& sound_path() const;

    const std::wstring& event_name() const { return event_name_; }
    const std::wstring& mutex_name() const { return mutex_name_; }

private:
    class Lock;
    static DWORD WINAPI worker_entry(LPVOID self);
    void work();
    void decode_requested();
    template <typename Operation> auto locked(Operation operation);

    std::unique_ptr<VideoArchive> archive_;
    HWND owner_;
    HANDLE thread_ = nullptr;
    HANDLE event_ = nullptr;
    HANDLE mutex_ = nullptr;
    std::wstring event_name_;
    std::wstring mutex_name_;
    int requested_ = 0; // guarded by the mutex
    std::atomic<bool> busy_{false};
    std::atomic<bool> cancel_{false};
    std::atomic<bool> stop_{false};
    std::atomic<bool> alarm_set_{false};
    std::atomic<DWORD> alarm_time_{0};
};
