#include "recording/NeighbourRecording.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "recording/DataType.h"
#include "recording/RecordingFolder.h"
#include "recording/SiblingFolder.h"

namespace {

const wchar_t* const event_information_file = L"VideoInf.dat";

bool holds_recordings(const std::wstring& folder, int data_type)
{
    if (data_type == data_type_continuous) {
        return count_matching_files(folder, data_file_pattern(data_type_continuous)) > 0;
    }
    // The information file beside an event is enough, even without the event itself.
    return count_matching_files(folder, event_information_file) > 0 ||
           count_matching_files(folder, data_file_pattern(data_type_event)) > 0;
}

} // namespace

std::wstring neighbour_recording(const std::wstring& folder, bool previous, int data_type)
{
    const int nothing_there_text = previous ? texts::no_previous_recording : texts::no_next_recording;
    std::wstring neighbour;
    try {
        neighbour = sibling_folder(folder, previous);
    } catch (const Exception&) {
        throw IOException(load_text(nothing_there_text));
    }
    if (!holds_recordings(neighbour, data_type)) {
        throw IOException(load_text(nothing_there_text));
    }
    return neighbour;
}
