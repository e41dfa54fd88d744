#pragma once
// Exports a recording as a clip: the recorder's own JPEG pictures, slot by slot on the frame
// clock as the player shows them (a frame it cannot read shows the picture before it), and the
// sound beside them, handed to an IClipWriter. A continuous recording is joined across its
// chapters. The work goes in steps of about a second of the clip, so that a progress window can
// show how far it is and stop it between two steps.
#include "playback/ClipTimeline.h"
#include "recording/VideoArchive.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IClipWriter;

class ClipExport {
public:
    // The recording of `data_type` in `folder` (event: its "Video.dvt"; continuous: its first
    // 60 chapters). Reads the first file at once: a recording that cannot be read throws
    // VideoArchiveException ("該当データを読み込めません。") before anything is written.
    static std::unique_ptr<ClipExport> of_folder(const std::wstring& folder, int data_type);

    // `files` in playing order, each an event file (`chapters` false) or a chapter file;
    // `expected_frames` their frames as far as known beforehand (for the progress only).
    ClipExport(std::vector<std::wstring> files, bool chapters, int expected_frames);

    // The date and time the clip's name is made of, as for every file written out of a
    // recording: its first valid frame's, else the first file's header time; 0 when neither is
    // known.
    int64_t first_time() const { return first_time_; }
    int frames_per_second() const { return timeline_.frames_per_second(); }

    // Writes the next second of the clip; once everything is written, finishes the writer and
    // returns false. Failures throw an Exception with the finished message; the caller then
    // abandons the writer.
    bool step(IClipWriter& writer);

    int64_t slots_written() const { return written_; }
    // The slots the whole clip will have as far as is known now (never below those written).
    int64_t slots_expected() const;

private:
    void load_part();
    void write_slot(IClipWriter& writer, int frame);
    void write_sound_until(IClipWriter& writer, int64_t sample);
    void find_first_picture(int from);
    // Reads frame `frame`'s picture of the part into read_.
    bool read_frame(int frame);

    std::vector<std::wstring> files_;
    bool chapters_;
    ClipTimeline timeline_;
    VideoArchive archive_;
    int64_t first_time_ = 0;
    int64_t expected_ = 0;
    std::vector<int> estimates_; // of each file's slots, before it is read

    size_t part_ = 0;          // the file being written
    bool part_loaded_ = false;
    int part_frames_ = 0;
    int64_t part_slots_ = 0;
    int64_t part_start_ = 0;   // the clip's slot where the part begins
    int64_t part_slot_ = 0;    // the next slot within the part
    std::vector<uint8_t> part_sound_;
    std::vector<uint8_t> part_bytes_; // the whole file

    bool started_ = false;
    bool finished_ = false;
    int64_t written_ = 0;          // slots
    int64_t samples_written_ = 0;
    std::vector<uint8_t> held_;    // the picture of the last slot written
    std::vector<uint8_t> read_;    // the buffer a frame is read into
    std::vector<uint8_t> silence_;
};
