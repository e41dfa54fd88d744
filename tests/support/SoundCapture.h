#pragma once
// Hearing what the viewer plays: WAVE files of a recognisable pattern, a recording of the test
// run's sound server sink, and the comparison of the two.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The bytes of an 8-bit mono WAVE file at 11025 samples a second.
std::vector<uint8_t> wave_file(const std::vector<uint8_t>& samples);
// A pattern that cannot be mistaken for silence or for a shifted copy of itself.
std::vector<uint8_t> sound_pattern(size_t count);

// Records the sound server's null sink into `output` for 7 seconds through a Unix program that
// Wine starts for us.
class SinkRecording {
public:
    explicit SinkRecording(const std::wstring& output);
    ~SinkRecording();
    SinkRecording(const SinkRecording&) = delete;
    SinkRecording& operator=(const SinkRecording&) = delete;

    bool started() const { return started_; }
    // Dispatches messages until the recorder takes samples of the sink (it is connected: the
    // sink plays silence when nothing else); false when it does not within 10 seconds.
    bool connected() const;
    // Dispatches messages until the sink has played `ms` milliseconds more, counted in its own
    // samples: the device's time, whatever the test machine's speed (or until the recorder's
    // time is up).
    bool heard_for(int ms) const;
    // Waits for the recorder to end; the captured samples.
    std::vector<uint8_t> finish();

private:
    size_t samples_taken() const;
    static constexpr DWORD recording_ms = 7000;
    std::wstring output_;
    DWORD started_at_ = 0;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

// The sound server's streams that are running (not corked), whatever they play; -1 when the
// server cannot be asked.
int running_sound_streams(const std::wstring& scratch_folder);

// Checks that most of `expected` was heard sample for sample (a GoogleTest assertion).
void expect_heard(const std::vector<uint8_t>& heard, const std::vector<uint8_t>& expected);

// The longest run of 0x00 samples (full scale negative: a click) in what the sink played.
size_t longest_zero_run(const std::vector<uint8_t>& heard);
// The longest run of silence (0x80, or the 0x00 of a device run dry) between the first and the
// last sample that is neither: a gap in what should sound without a break.
size_t longest_silence(const std::vector<uint8_t>& heard);
// Where each piece of 256 samples of `expected` is heard, searched from `from` on and each after
// the one before; `not_heard` for a piece that is not there (the search goes on after the last
// piece found).
constexpr size_t heard_piece = 256;
constexpr size_t not_heard = static_cast<size_t>(-1);
std::vector<size_t> piece_positions(const std::vector<uint8_t>& heard, const std::vector<uint8_t>& expected,
                                    size_t from = 0);

// 2 ms at 11025 samples per second: a longer run of 0x00 is heard as a click.
constexpr size_t click_samples = 22;
