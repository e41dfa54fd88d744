#include "FolderReport.h"

#include "base/Exception.h"
#include "common/JsonWriter.h"
#include "recording/ChapterList.h"
#include "recording/DataType.h"
#include "recording/FolderPath.h"
#include "recording/NeighbourRecording.h"
#include "recording/RecordingFolder.h"

namespace {

constexpr int all_types[] = {data_type_event, data_type_image, data_type_continuous};

// Sets the current kind for one check and puts the one before back afterwards.
class CurrentTypeScope {
public:
    explicit CurrentTypeScope(int type) : saved_(current_data_type()) { set_current_data_type(type); }
    ~CurrentTypeScope() { set_current_data_type(saved_); }
    CurrentTypeScope(const CurrentTypeScope&) = delete;
    CurrentTypeScope& operator=(const CurrentTypeScope&) = delete;

private:
    int saved_;
};

void write_error(JsonWriter& json, const std::wstring& message)
{
    json.begin_object().key("error").value(message).end_object();
}

void write_counts(JsonWriter& json, const std::wstring& folder)
{
    const char* const names[] = {"event", "image", "continuous"};
    json.key("counts").begin_object();
    for (const int type : all_types) {
        json.key(names[type]).value(count_matching_files(folder, data_file_pattern(type)));
    }
    json.end_object();
}

// Writes "select"; returns the kind that the check started from the event kind settles on.
int write_selection(JsonWriter& json, const std::wstring& folder)
{
    int settled = data_type_event;
    json.key("select").begin_array();
    for (const int start : all_types) {
        const CurrentTypeScope scope(start);
        const bool result = select_data_type(folder);
        json.begin_object().key("current").value(start).key("result").value(result);
        json.key("type").value(current_data_type()).end_object();
        if (start == data_type_event) {
            settled = current_data_type();
        }
    }
    json.end_array();
    return settled;
}

void write_chapters(JsonWriter& json, const std::wstring& folder)
{
    ChapterList list;
    json.key("chapters");
    try {
        list = list_chapter_files(folder);
        json.begin_array();
        for (const std::wstring& path : list.paths) {
            json.value(last_path_component(path));
        }
        json.end_array();
    } catch (const Exception& failure) {
        list = ChapterList{};
        write_error(json, failure.message());
    }
    json.key("more_than_60").value(list.more_than_60);
    json.key("total_frames").value(list.total_frames);
}

void write_neighbour(JsonWriter& json, const char* key, const std::wstring& folder, bool previous, int type)
{
    json.key(key);
    try {
        json.value(last_path_component(neighbour_recording(folder, previous, type)));
    } catch (const Exception& failure) {
        write_error(json, failure.message());
    } catch (const DataMissingException&) {
        json.begin_object().key("missing").value(true).end_object();
    }
}

} // namespace

std::string folder_json(const std::wstring& folder)
{
    JsonWriter json;
    json.begin_object();
    write_counts(json, folder);
    const int type = write_selection(json, folder);
    write_chapters(json, folder);
    write_neighbour(json, "previous", folder, true, type);
    write_neighbour(json, "next", folder, false, type);
    json.end_object();
    return json.text() + "\n";
}
