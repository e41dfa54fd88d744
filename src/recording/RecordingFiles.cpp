#include "recording/RecordingFiles.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/FileSystem.h"
#include "recording/ChapterList.h"
#include "recording/DataType.h"
#include "recording/RecordingFolder.h"
#include "recording/TelemetryReading.h"
#include "recording/VideoArchive.h"

#include <memory>

std::wstring RecordingFiles::archive_file(int kind, const std::wstring& folder, int chapter)
{
    if (kind != data_type_continuous) {
        return join_path(folder, data_file_pattern(data_type_event));
    }
    const ChapterList chapters = list_chapter_files(folder);
    if (chapter < 0 || static_cast<size_t>(chapter) >= chapters.paths.size()) {
        throw VideoArchiveException(load_text(texts::data_unreadable));
    }
    return chapters.paths[static_cast<size_t>(chapter)];
}

TelemetryCsv RecordingFiles::telemetry_csv(int kind, const std::wstring& folder)
{
    TelemetryReading reading(kind, folder);
    while (reading.step()) {
    }
    return reading.csv();
}

bool RecordingFiles::frame_jpeg(int kind, const std::wstring& path, int index, std::vector<uint8_t>& jpeg)
{
    auto archive = std::make_unique<VideoArchive>();
    switch (kind) {
    case data_type_image: archive->load_picture_file(path); break;
    case data_type_continuous: archive->load_chapter(path); break;
    default: archive->load_event(path); break;
    }
    return archive->frame_jpeg(index, jpeg);
}
