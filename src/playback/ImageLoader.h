#pragma once
// Decodes pictures of the open recording on a worker thread, one request at a time, and posts
// each to the owner window. Every use of the archive, by the worker or by the caller, happens
// under the loader's mutex, so opening or closing a recording never overlaps a decode.
#include "platform/SystemHandles.h"
#include "recording/VideoArchive.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

class Image;

class ImageLoader {
public:
    // How the worker turns frame `index` of the archive into a picture (tests put a slow or
    // blocking one in its place); by default the archive's own frame_picture.
    using Decoder = std::function<std::unique_ptr<Image>(VideoArchive& archive, int index)>;

    // `owner` receives WM_PICTURE_DELIVERED and WM_PLAYER_TICK; null means no decoding.
    // Throws (with the system's text) when its event, lock or worker thread cannot be made.
    explicit ImageLoader(HWND owner, Decoder decoder = {});
    virtual ~ImageLoader();
    ImageLoader(const ImageLoader&) = delete;
    ImageLoader& operator=(const ImageLoader&) = delete;

    // Asks for the picture of frame `index`; false, without waiting, while a decode or an
    // archive operation runs (the caller asks again later).
    bool request(int index);
    // Drops the picture being decoded, if any, disarms the alarm and closes the archive.
    void cancel();

    // Archive operations, each waiting up to 3000 ms for the lock (ImageException 5511 when it
    // cannot be had). Failures of the archive itself pass on unchanged. Each one starts a new
    // recording number: what the worker still posts for the one before is recognisably stale.
    void open_event(const std::wstring& path);
    void open_chapter(const std::wstring& path);
    bool open_images(const std::wstring& folder); // true when more than 600 pictures exist
    void open_picture_file(const std::wstring& path);
    void open_listed_picture(int index);
    void set_chapter(int chapter);
    // Releases the archive (and its temporary sound file); false when the lock was not had.
    bool close_archive();

    // The number of the recording now open (or closed); messages carry it (PlayerMessages.h).
    unsigned recording() const;

    // One-shot alarm: the worker posts WM_PLAYER_TICK once `interval_ms` have passed.
    void alarm(unsigned interval_ms);
    void disarm();
    bool alarm_armed() const;
    // True when nothing holds the lock at this instant (nothing is being decoded).
    bool idle();
    // Marks the decode in flight as cancelled: its picture is thrown away.
    void cancel_current();
    // True when nothing asked of the worker is left: no request waiting or being decoded, no
    // alarm armed. Whatever it made before is in the owner's queue by then.
    bool settled() const;

    // The archive, for the caller's thread to read without the lock (the recording information
    // views it). That is safe at any time: everything read through it changes only in the
    // archive operations above, which the caller's own thread runs under the lock, and the worker
    // only reads the same values and moves the position of the open file, which a const archive
    // cannot reach.
    const VideoArchive& archive() const;
    const std::wstring& sound_path() const;

    // Frees the pictures posted to `owner` and not yet taken (by this thread's loaders): they
    // die with the loader that made them, or with the recording they were decoded for.
    static void free_queued_pictures(HWND owner);

    const std::wstring& event_name() const;
    const std::wstring& mutex_name() const;

private:
    struct Shared;
    class Lock;
    static DWORD WINAPI worker_entry(LPVOID shared);
    static void throw_unless(bool created);
    template <typename Operation> auto locked(Operation operation);

    // Everything the worker touches; the worker holds it as long as it runs, so a worker that
    // outlives the loader's wait in the destructor never reaches freed memory.
    std::shared_ptr<Shared> shared_;
    KernelHandle thread_;
    KernelHandle event_;
    KernelHandle mutex_;
};
