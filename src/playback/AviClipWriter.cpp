#include "playback/AviClipWriter.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "playback/AviHeaderPatch.h"
#include "playback/MmioWriteBuffer.h"
#include "recording/WaveFile.h"

#include <utility>

namespace {

// The system's own AVI file handler ({00020000-0000-0000-C000-000000000046}), named so that the
// temporary name's extension does not decide which handler writes the file.
const CLSID avi_file_handler = {0x00020000, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// Every chunk costs its 8-byte header, a pad byte at most and a 16-byte index entry.
constexpr int64_t chunk_overhead = 8 + 1 + 16;

} // namespace

AviClipWriter::AviClipWriter(std::wstring path) : path_(std::move(path)), partial_path_(path_ + L".part")
{
    AVIFileInit();
    init_ = S_OK;
}

AviClipWriter::~AviClipWriter()
{
    if (created_) {
        abandon();
    }
    release();
    if (SUCCEEDED(init_)) {
        AVIFileExit();
    }
}

void AviClipWriter::check(HRESULT result)
{
    if (FAILED(result)) {
        fail();
    }
}

void AviClipWriter::fail()
{
    abandon();
    throw IOException(format_text(texts::export_write_failed, path_)); // "動画ファイルを書き出せませんでした。…"
}

void AviClipWriter::release()
{
    sound_.reset();
    video_.reset();
    file_.reset();
}

void AviClipWriter::start(const ClipFormat& format)
{
    DeleteFileW(partial_path_.c_str()); // a leftover of an export that was killed
    // Written through a buffer of some megabytes rather than chunk by chunk (MmioWriteBuffer.h).
    check(AVIFileOpenW(file_.out(), MmioWriteBuffer::routed_name(partial_path_).c_str(),
                       OF_CREATE | OF_WRITE | OF_SHARE_EXCLUSIVE, const_cast<CLSID*>(&avi_file_handler)));
    created_ = true;

    AVISTREAMINFOW video{};
    video.fccType = streamtypeVIDEO;
    video.fccHandler = mmioFOURCC('M', 'J', 'P', 'G');
    video.dwScale = 1;
    video.dwRate = static_cast<DWORD>(format.frames_per_second);
    video.dwQuality = static_cast<DWORD>(-1);
    SetRect(&video.rcFrame, 0, 0, format.width, format.height);
    check(AVIFileCreateStreamW(file_.get(), video_.out(), &video));
    BITMAPINFOHEADER picture{};
    picture.biSize = sizeof picture;
    picture.biWidth = format.width;
    picture.biHeight = format.height;
    picture.biPlanes = 1;
    picture.biBitCount = 24;
    picture.biCompression = mmioFOURCC('M', 'J', 'P', 'G');
    picture.biSizeImage = static_cast<DWORD>(format.width * format.height * 3);
    check(AVIStreamSetFormat(video_.get(), 0, &picture, sizeof picture));

    AVISTREAMINFOW sound{};
    sound.fccType = streamtypeAUDIO;
    sound.dwScale = 1;
    sound.dwRate = WaveFile::sample_rate;
    sound.dwSampleSize = 1;
    sound.dwQuality = static_cast<DWORD>(-1);
    check(AVIFileCreateStreamW(file_.get(), sound_.out(), &sound));
    WAVEFORMATEX wave{};
    wave.wFormatTag = WAVE_FORMAT_PCM;
    wave.nChannels = 1;
    wave.nSamplesPerSec = WaveFile::sample_rate;
    wave.nAvgBytesPerSec = WaveFile::sample_rate;
    wave.nBlockAlign = 1;
    wave.wBitsPerSample = 8;
    check(AVIStreamSetFormat(sound_.get(), 0, &wave, sizeof wave));
}

void AviClipWriter::count_bytes(size_t size)
{
    bytes_ += static_cast<int64_t>(size) + chunk_overhead;
    if (bytes_ > max_file_bytes) {
        abandon();
        throw IOException(format_text(texts::export_too_large, path_)); // "動画ファイルが2 GBを超えるため…"
    }
}

void AviClipWriter::add_picture(const uint8_t* jpeg, size_t size)
{
    count_bytes(size);
    check(AVIStreamWrite(video_.get(), pictures_, 1, const_cast<uint8_t*>(jpeg), static_cast<LONG>(size),
                         AVIIF_KEYFRAME, nullptr, nullptr));
    ++pictures_;
}

void AviClipWriter::add_sound(const uint8_t* samples, size_t count)
{
    if (count == 0) {
        return;
    }
    count_bytes(count);
    check(AVIStreamWrite(sound_.get(), -1, static_cast<LONG>(count), const_cast<uint8_t*>(samples),
                         static_cast<LONG>(count), AVIIF_KEYFRAME, nullptr, nullptr));
    samples_ += static_cast<LONG>(count);
}

void AviClipWriter::finish()
{
    if (!created_) {
        throw IOException(format_text(texts::export_write_failed, path_));
    }
    // Releasing the last reference writes the headers and the index and closes the file.
    release();
    if (!MmioWriteBuffer::all_written() || !patch_sound_length()) {
        fail();
    }
    if (!MoveFileExW(partial_path_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
        fail();
    }
    created_ = false;
}

bool AviClipWriter::patch_sound_length() const
{
    const KernelHandle file(CreateFileW(partial_path_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    uint8_t header[8192];
    DWORD read = 0;
    if (!ReadFile(file.get(), header, sizeof header, &read, nullptr)) {
        return false;
    }
    const std::optional<size_t> field = sound_length_field(header, read);
    if (!field) {
        return false;
    }
    const uint8_t length[4] = {static_cast<uint8_t>(samples_), static_cast<uint8_t>(samples_ >> 8),
                               static_cast<uint8_t>(samples_ >> 16), static_cast<uint8_t>(samples_ >> 24)};
    DWORD written = 0;
    return SetFilePointer(file.get(), static_cast<LONG>(*field), nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           WriteFile(file.get(), length, sizeof length, &written, nullptr) && written == sizeof length;
}

void AviClipWriter::abandon()
{
    release();
    if (created_) {
        DeleteFileW(partial_path_.c_str());
        created_ = false;
    }
}
