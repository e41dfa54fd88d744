#include "recording/VideoInfo07.h"

#include "recording/VideoArchive.h"

std::wstring VideoInfo07::short_code_text() const { return L"0000"; }
std::wstring VideoInfo07::long_code_text() const { return L"00000000"; }
int VideoInfo07::kind_code() const { return archive_->kind_code(); }
int VideoInfo07::detection_index() const { return archive_->detection_index(); }

const FrameRecord* VideoInfo07::detection_record() const
{
    return archive_->frame_record(archive_->detection_index());
}

double VideoInfo07::header_g1() const { return archive_->header_g1(); }
double VideoInfo07::header_g2() const { return archive_->header_g2(); }
int VideoInfo07::frame_count() const { return archive_->frame_count(); }
const FrameRecord* VideoInfo07::frame_record(int index) const { return archive_->frame_record(index); }
int64_t VideoInfo07::start_time() const { return archive_->start_time(); }
int64_t VideoInfo07::end_time() const { return archive_->end_time(); }
int64_t VideoInfo07::recording_time() const { return archive_->recording_time(); }
