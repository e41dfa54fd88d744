#pragma once
// Writes an exported clip as an AVI file through the system's AVIFile interface: a Motion-JPEG
// video stream ('MJPG') whose chunks are the JPEG files as given, and an 8-bit mono PCM sound
// stream at 11025 samples per second. The file is written under a temporary name beside the
// chosen one and takes that name only when it is complete, so a cancelled or failed export
// leaves neither a partial file nor a damaged earlier one.
#include "platform/SystemHandles.h"
#include "playback/IClipWriter.h"

#include <windows.h>
#include <vfw.h>

#include <string>

class AviClipWriter : public IClipWriter {
public:
    // The largest file written: the AVI file's own 32-bit offsets and sizes, read as signed
    // numbers by many players, end at 2 GiB; some room is kept for the headers and the index.
    static constexpr int64_t max_file_bytes = 0x7FFFFFFFLL - 64LL * 1024 * 1024;

    explicit AviClipWriter(std::wstring path);
    ~AviClipWriter() override;
    AviClipWriter(const AviClipWriter&) = delete;
    AviClipWriter& operator=(const AviClipWriter&) = delete;

    void start(const ClipFormat& format) override;
    void add_picture(const uint8_t* jpeg, size_t size) override;
    void add_sound(const uint8_t* samples, size_t count) override;
    void finish() override;
    void abandon() override;

    const std::wstring& path() const { return path_; }
    // Where the file is written until it is complete.
    const std::wstring& partial_path() const { return partial_path_; }

private:
    // Abandons the file and throws the export's failure (its path in the message).
    [[noreturn]] void fail();
    // fail() when `result` is a failure.
    void check(HRESULT result);
    void count_bytes(size_t size);
    void release();
    // Puts the number of samples written into the sound stream's header (see AviHeaderPatch.h).
    bool patch_sound_length() const;

    std::wstring path_;
    std::wstring partial_path_;
    HRESULT init_ = E_FAIL; // AVIFileInit's result; AVIFileExit balances a success
    ComRef<IAVIFile> file_;
    ComRef<IAVIStream> video_;
    ComRef<IAVIStream> sound_;
    LONG pictures_ = 0;
    LONG samples_ = 0;
    int64_t bytes_ = 0;
    bool created_ = false;
};
