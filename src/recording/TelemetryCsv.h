#pragma once
// The telemetry of a recording as CSV for spreadsheets: a heading line, then one line per frame
// with its time, capture date and time, speed and G values, lines ending in CR LF. tarvo-dump
// --csv and the viewer's telemetry export both write through it.
#include <cstdint>
#include <optional>
#include <string>

class VideoArchive;

class TelemetryCsv {
public:
    // Starts with the heading "Time,DateTime,KPH,G1,G2,G,Marker".
    TelemetryCsv();

    // One line per frame of `archive` that has a record: Time (seconds after the first frame
    // added, three decimals), DateTime (local ISO 8601, empty when unknown), KPH, G1, G2, G
    // (magnitude), Marker. The chapters of a continuous recording added in order share one
    // time-line, counted on the recorder's clock from the first chapter's first frame.
    void add(const VideoArchive& archive);

    const std::string& text() const { return text_; }
    // The capture time of the first frame added that has a valid one; 0 when none has.
    int64_t first_time() const { return first_time_; }

    // A time value as local ISO 8601 with the zone's offset ("2010-01-02T03:04:05+09:00");
    // empty for 0 or a value the system cannot convert.
    static std::string local_iso_time(int64_t time);

private:
    std::string text_;
    std::optional<int64_t> first_ms_;
    int64_t first_time_ = 0;
};
