#pragma once
// Reads the recorder's archive files (event "Video.dvt", chapter "Video????.dmv", picture
// "*.dpc"): places the frames on the frame clock, finds the detection instant, extracts the
// sound into a temporary WAVE file and hands out the picture of any frame.
// Not thread-safe: the image loader calls every operation under its lock.
#include "base/FrameClock.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/File.h"
#include "recording/ArchiveLayout.h"
#include "recording/FramePlacement.h"
#include "recording/FrameRecord.h"

class Image;

class VideoArchive {
public:
    static constexpr int max_pictures = 600;      // pictures of one image folder
    static constexpr int chapter_table_rows = 600;
    static constexpr int chapter_row_size = frames_per_chapter;  // time-index entries per chapter

    VideoArchive();
    ~VideoArchive();
    VideoArchive(const VideoArchive&) = delete;
    VideoArchive& operator=(const VideoArchive&) = delete;

    // Read an event or chapter file; throw VideoArchiveException ("該当データを読み込めません。").
    void load_event(const std::wstring& path);
    void load_chapter(const std::wstring& path);
    // The same from a whole file the caller has read (one read for a caller that takes every
    // picture with frame_jpeg_from); no file is kept open, so frame_jpeg() has nothing to read.
    void load_event_bytes(const std::vector<uint8_t>& bytes);
    void load_chapter_bytes(const std::vector<uint8_t>& bytes);
    // Reads every picture file of an image folder; true when more than 600 were there.
    bool load_images(const std::wstring& folder);
    // Reads one picture file as frame 0 and keeps it open for frame_picture().
    void load_picture_file(const std::wstring& path);
    // Makes the picture file of frame `index` the open file (image mode).
    void open_picture_file(int index);
    // The JPEG picture of frame `index` from the open file, its first bytes put back as the
    // camera wrote them: false (and `jpeg` unspecified) when frame_picture() would give null
    // before decoding. `jpeg` is reused, so a caller reading every frame allocates once.
    bool frame_jpeg(int index, std::vector<uint8_t>& jpeg);
    // The same from `file_bytes`, the whole file of the last load read by the caller: one read
    // instead of a seek and a read per frame, for a caller that takes every frame.
    bool frame_jpeg_from(int index, const std::vector<uint8_t>& file_bytes, std::vector<uint8_t>& jpeg) const;
    // The decoded picture of frame `index` from the open file, or null.
    std::unique_ptr<Image> frame_picture(int index);
    // The frame count of a chapter file without loading it.
    static int count_chapter_frames(const std::wstring& path);
    // Closes the file, frees the frames, deletes the sound file and forgets the last load.
    void reset();

    int kind_code() const { return header_.kind_code; }
    double header_g1() const { return header_.g1; }
    double header_g2() const { return header_.g2; }
    int64_t header_time() const { return header_.time; }
    int32_t detection_ms() const { return header_.detection_ms; }
    uint8_t header_flag() const { return header_.flag; }
    uint8_t header_byte() const { return header_.header_byte; }
    int header_speed() const { return header_.speed; }
    int detection_index() const { return detection_index_; }
    bool any_flag() const { return any_flag_; }
    int frame_count() const { return frame_count_; }
    // The record of slot `index`, or null outside 0 ... frame_count() - 1 or for an empty slot.
    const FrameRecord* frame_record(int index) const;
    const std::vector<TimeIndexEntry>& time_index() const { return time_index_; }
    int64_t start_time() const { return start_time_; }
    int64_t end_time() const { return end_time_; }
    int64_t recording_time() const { return recording_time_; }
    // The temporary WAVE file of the last event or chapter load; empty when there is none.
    const std::wstring& sound_path() const { return sound_path_; }
    // The last event or chapter load could not make its temporary sound file: it plays without
    // sound, and the caller tells the user so once it no longer holds anything the reader
    // needs ("音声データの復元に失敗しました").
    bool sound_failed() const { return sound_failed_; }
    bool is_open() const { return file_.is_open(); }

    // The chapter that the next chapter file is loaded as; its time index goes to that row.
    int chapter_number() const { return chapter_number_; }
    void set_chapter_number(int chapter) { chapter_number_ = chapter; }
    // The 600 entries of a chapter's row (unused ones zero), or null for no such row.
    const TimeIndexEntry* chapter_row(int chapter) const;

private:
    void load_stream(const std::wstring& path, FrameClock clock);
    void load_stream_bytes(const std::vector<uint8_t>& bytes, FrameClock clock);
    // Reads the open file, or `bytes` when given.
    void read_stream(FrameClock clock, const std::vector<uint8_t>* bytes);
    void place_stream_frames(std::vector<std::unique_ptr<FrameRecord>> records, FrameClock clock);
    void check_detection();
    void store_chapter_row();
    void open_sound_file(std::unique_ptr<class WaveFile>& wave);
    std::unique_ptr<FrameRecord> read_picture_file(File& file, const std::wstring& path);
    // The record of frame `index` when its payload may be a picture (17 bytes ... 1 MiB).
    const FrameRecord* picture_record(int index) const;
    void set_valid_span();

    File file_;
    FrameSlots slots_;
    int frame_count_ = 0;
    FileHeader header_; // a picture's own block stands in for it in image mode
    int detection_index_ = -1;
    bool any_flag_ = false;
    std::vector<TimeIndexEntry> time_index_;
    int64_t start_time_ = 0;
    int64_t end_time_ = 0;
    int32_t start_ms_ = 0;
    int32_t end_ms_ = 0;
    int64_t recording_time_ = 0;
    std::wstring sound_path_;
    bool sound_failed_ = false;
    int chapter_number_ = 0;
    // Rows are made when a chapter is loaded into them: an archive that plays one event
    // recording never holds the 600 x 600 entries a full table would take.
    std::vector<std::vector<TimeIndexEntry>> chapter_table_;
};
