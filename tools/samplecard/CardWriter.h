#pragma once
// Writes recordings into folders the way the recorder lays them out on its card.
#include "samplecard/ContinuousRecording.h"
#include "samplecard/FirmInfoFile.h"
#include "samplecard/RecordingOptions.h"

#include <string>
#include <vector>

namespace samplecard {

// "Video.dvt" and "VideoInf.dat" into `folder` (created when missing).
void write_event_folder(const std::wstring& folder, const EventOptions& options);
// Every chapter of the recording into `folder`, named `names[i]` when given (else
// "Video0001.dmv" ...).
void write_continuous_folder(const std::wstring& folder, const ContinuousOptions& options,
                             const std::vector<std::wstring>& names = {});
// Pictures "1-001.dpc" ... taken one to fifteen minutes apart from `first` on (a time drawn
// from the seed when absent); returns their file names.
std::vector<std::wstring> write_image_folder(const std::wstring& folder, uint64_t seed, int count,
                                             const PictureFormat& format,
                                             const std::optional<CivilTime>& first = std::nullopt);
void write_firminfo(const std::wstring& root, const FirmInfoOptions& options);

// A folder of a written card: where it is, which kind of recording it holds, and whether it
// is hidden.
struct CardFolder {
    std::wstring path;     // relative to the card's root, with the system's separators
    std::wstring contents; // "event", "continuous", "image", "mixed", "none" and so on
    bool hidden = false;
    std::wstring note;     // what makes it awkward, in a few words
};

// The card that the run command opens: three event folders (a braking event, a manual one,
// and one whose detection frame the viewer moves to 12 s), a continuous recording of three
// chapters (the last one ending early), an image folder of 20 pictures and FIRMINFO.DAT.
std::vector<CardFolder> write_realistic_card(const std::wstring& root, uint64_t seed);

// The layouts that make folder handling hard; small recordings, quick to write.
std::vector<CardFolder> write_awkward_card(const std::wstring& root);

// Small files for the archive fuzzer's corpus, healthy and damaged; returns their names.
std::vector<std::wstring> write_fuzz_seeds(const std::wstring& folder);

} // namespace samplecard
