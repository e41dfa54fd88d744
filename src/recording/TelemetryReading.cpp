#include "recording/TelemetryReading.h"

#include "recording/ChapterList.h"
#include "recording/DataType.h"
#include "recording/RecordingFiles.h"
#include "recording/VideoArchive.h"

TelemetryReading::TelemetryReading(int kind, const std::wstring& folder)
    : kind_(kind), archive_(std::make_unique<VideoArchive>())
{
    switch (kind) {
    case data_type_image: files_ = {folder}; break;
    case data_type_continuous: files_ = list_chapter_files(folder).paths; break;
    default: files_ = {RecordingFiles::archive_file(kind, folder, 0)}; break;
    }
}

TelemetryReading::~TelemetryReading() = default;

bool TelemetryReading::step()
{
    if (finished()) {
        return false;
    }
    const std::wstring& file = files_[next_];
    switch (kind_) {
    case data_type_image: archive_->load_images(file); break;
    case data_type_continuous: archive_->load_chapter(file); break;
    default: archive_->load_event(file); break;
    }
    csv_.add(*archive_);
    ++next_;
    return !finished();
}
