// The AVIFile writer under Wine: a finished export is a file the system's own AVI reader opens
// with both streams as written; a cancelled or failed one leaves nothing, not even a partial
// file, and leaves an earlier file of that name as it was.
#include <gtest/gtest.h>

#include "base/Exception.h"
#include "playback/AviClipWriter.h"
#include "playback/ClipExport.h"
#include "playback/MmioWriteBuffer.h"
#include "support/ArchiveBuilder.h"
#include "support/TempFolder.h"
#include "support/TestJpeg.h"
#include "support/TestZone.h"

#include <windows.h>
#include <vfw.h>

#include <algorithm>

namespace {

bool exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// An event recording of `frames` frames at 30 a second with a second of sound.
Bytes event_recording(int frames)
{
    ArchiveBuilder builder;
    builder.information_block();
    const Bytes jpeg = encode_grey_jpeg(64, 48, [](int x, int y) { return (x + y) % 2 ? 0x202020u : 0xE0E0E0u; });
    for (int frame = 0; frame < frames; ++frame) {
        BlockFields fields;
        fields.ms = (frame * 1000 + 29) / 30 + 1; // the start of its slot, rounded up
        builder.picture(fields, recorder_payload(jpeg));
    }
    builder.sound(1, Bytes(11025, 0x40));
    return builder.bytes();
}

// A written file as the system's own AVI reader opens it.
struct ReadBack {
    explicit ReadBack(const std::wstring& path)
    {
        AVIFileInit();
        if (AVIFileOpenW(&file, path.c_str(), OF_READ, nullptr) == AVIERR_OK) {
            AVIFileGetStream(file, &video, streamtypeVIDEO, 0);
            AVIFileGetStream(file, &sound, streamtypeAUDIO, 0);
        }
    }
    ~ReadBack()
    {
        for (PAVISTREAM stream : {sound, video}) {
            if (stream != nullptr) {
                AVIStreamRelease(stream);
            }
        }
        if (file != nullptr) {
            AVIFileRelease(file);
        }
        AVIFileExit();
    }
    ReadBack(const ReadBack&) = delete;
    ReadBack& operator=(const ReadBack&) = delete;
    bool complete() const { return video != nullptr && sound != nullptr; }

    PAVIFILE file = nullptr;
    PAVISTREAM video = nullptr;
    PAVISTREAM sound = nullptr;
};

class AviClipWriterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        use_recorder_time_zone();
        folder.write(L"Video.dvt", event_recording(45));
        target = folder.file(L"clip.avi");
    }

    TempFolder folder;
    std::wstring target;
};

TEST_F(AviClipWriterTest, AFinishedExportIsAnAviFileWithBothStreams)
{
    const auto clip = ClipExport::of_folder(folder.path(), 0);
    {
        AviClipWriter writer(target);
        while (clip->step(writer)) {
            EXPECT_TRUE(exists(writer.partial_path()));
            EXPECT_FALSE(exists(target));
        }
        EXPECT_FALSE(exists(writer.partial_path()));
    }
    ASSERT_TRUE(exists(target));

    const ReadBack avi(target);
    ASSERT_TRUE(avi.complete());
    PAVISTREAM video = avi.video;
    PAVISTREAM sound = avi.sound;
    AVISTREAMINFOW info{};
    AVIStreamInfoW(video, &info, sizeof info);
    EXPECT_EQ(mmioFOURCC('M', 'J', 'P', 'G'), info.fccHandler);
    EXPECT_EQ(30u, info.dwRate / info.dwScale);
    EXPECT_EQ(45, AVIStreamLength(video));
    // 45 slots are a second and a half; the recording's second of sound, then silence.
    EXPECT_EQ(16537, AVIStreamLength(sound));
    BITMAPINFOHEADER format{};
    LONG format_size = sizeof format;
    AVIStreamReadFormat(video, 0, &format, &format_size);
    EXPECT_EQ(64, format.biWidth);
    EXPECT_EQ(48, format.biHeight);
}

TEST_F(AviClipWriterTest, AFileOfSeveralWriteBuffersReadsBackChunkForChunk)
{
    // 400 pictures of 30 000 bytes: three times the writer's buffer, so that the chunks and the
    // sizes written back behind them cross its flushes.
    std::vector<Bytes> pictures;
    for (int i = 0; i < 400; ++i) {
        Bytes picture(30000 + i % 7);
        for (size_t b = 0; b < picture.size(); ++b) {
            picture[b] = static_cast<uint8_t>((b * 31 + static_cast<size_t>(i) * 17) >> 3);
        }
        pictures.push_back(std::move(picture));
    }
    ASSERT_GT(pictures.size() * 30000, 2 * MmioWriteBuffer::buffer_bytes);
    Bytes sound(11025 * 40 / 3);
    for (size_t i = 0; i < sound.size(); ++i) {
        sound[i] = static_cast<uint8_t>(i * 7);
    }
    {
        AviClipWriter writer(target);
        writer.start(ClipFormat{30, 64, 48});
        for (size_t i = 0; i < pictures.size(); ++i) {
            writer.add_picture(pictures[i].data(), pictures[i].size());
            if (i % 30 == 29) { // a second of sound after every 30 pictures
                const size_t from = (i / 30) * 11025;
                writer.add_sound(sound.data() + from, std::min<size_t>(11025, sound.size() - from));
            }
        }
        writer.add_sound(sound.data() + 13 * 11025, sound.size() - 13 * 11025);
        writer.finish();
    }

    const ReadBack avi(target);
    ASSERT_TRUE(avi.complete());
    PAVISTREAM video = avi.video;
    PAVISTREAM audio = avi.sound;
    ASSERT_EQ(static_cast<LONG>(pictures.size()), AVIStreamLength(video));
    Bytes read(40000);
    int differing = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        LONG bytes = 0;
        AVIStreamRead(video, static_cast<LONG>(i), 1, read.data(), static_cast<LONG>(read.size()), &bytes, nullptr);
        differing += Bytes(read.begin(), read.begin() + bytes) != pictures[i] ? 1 : 0;
    }
    EXPECT_EQ(0, differing);
    ASSERT_EQ(static_cast<LONG>(sound.size()), AVIStreamLength(audio));
    Bytes samples(sound.size());
    LONG got = 0;
    AVIStreamRead(audio, 0, static_cast<LONG>(samples.size()), samples.data(), static_cast<LONG>(samples.size()), &got, nullptr);
    EXPECT_EQ(sound, samples);
}

TEST_F(AviClipWriterTest, ACancelledExportLeavesNothingAndAnEarlierFileAsItWas)
{
    const Bytes earlier = {'k', 'e', 'e', 'p'};
    write_bytes(target, earlier);
    const auto clip = ClipExport::of_folder(folder.path(), 0);
    std::wstring partial;
    {
        AviClipWriter writer(target);
        partial = writer.partial_path();
        ASSERT_TRUE(clip->step(writer));
        ASSERT_TRUE(exists(partial));
        writer.abandon();
        EXPECT_FALSE(exists(partial));
    }
    EXPECT_EQ(earlier, read_bytes(target));

    // A writer that goes away unfinished (an exception on the way) removes its file too.
    const auto again = ClipExport::of_folder(folder.path(), 0);
    {
        AviClipWriter writer(folder.file(L"other.avi"));
        ASSERT_TRUE(again->step(writer));
    }
    EXPECT_FALSE(exists(folder.file(L"other.avi")));
    EXPECT_FALSE(exists(folder.file(L"other.avi.part")));
}

TEST_F(AviClipWriterTest, AFileThatCannotBeCreatedFailsWithItsNameAndLeavesNothing)
{
    const std::wstring nowhere = folder.file(L"missing\\clip.avi");
    const auto clip = ClipExport::of_folder(folder.path(), 0);
    AviClipWriter writer(nowhere);
    try {
        clip->step(writer);
        FAIL() << "no failure";
    } catch (const IOException& failure) {
        EXPECT_NE(std::wstring::npos, failure.message().find(nowhere));
    }
    EXPECT_FALSE(exists(nowhere));
    EXPECT_FALSE(exists(writer.partial_path()));
}

} // namespace
