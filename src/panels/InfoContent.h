#pragma once
// What the info panel shows for the open recording: its date and time, the label of its kind
// and the warning icon; or dashes with nothing open; or only the note that the recording's
// information is incomplete.
#include <cstdint>
#include <string>

class IVideoInfo;

struct InfoContent {
    enum State { nothing_open, incomplete, complete };

    State state = nothing_open;
    std::string date = "----/--/--";
    std::string clock = "--:--:--";
    int label_image = 0; // the kind label's picture; 0 for none
    bool warning = false;

    // `detection_time`: the time of the detection frame, else of the first frame with a record.
    static InfoContent of(const IVideoInfo* info, int data_type, int64_t detection_time, bool archive_flag);
    // The time the panel shows: a continuous recording's start, an event's detection instant
    // (its recording time when the detection time is unknown or the same), a picture's own time.
    static int64_t shown_time(int data_type, int64_t recording_time, int64_t detection_time);
    // The label picture of a kind code; 0 for codes without one.
    static int label_image_of(int kind_code);
};
