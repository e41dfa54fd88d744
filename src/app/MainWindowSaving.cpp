// Saving out of the open recording: the shown frame as the recorder's own JPEG file and the
// telemetry of the whole recording as CSV, each through the standard save dialog. Both read the
// recording's files again with an archive of their own; the player goes on undisturbed.
#include "app/MainWindow.h"

#include "base/Text.h"
#include "platform/File.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "recording/DatedFileName.h"
#include "recording/IVideoInfo.h"
#include "recording/RecordingFiles.h"
#include "recording/TelemetryReading.h"
#include "ResourceIds.h"
#include "ui/IProgressWork.h"
#include "ui/ProgressDialog.h"
#include "ui/SaveFileDialog.h"
#include "ui/WaitCursor.h"

#include <shlobj.h>

#include <vector>

namespace {

// The telemetry's reading as the progress window sees it: a file of the recording per step.
class TelemetryWork : public IProgressWork {
public:
    explicit TelemetryWork(TelemetryReading& reading) : reading_(reading) {}

    bool step() override { return reading_.step(); }
    int64_t done() const override { return reading_.files_read(); }
    int64_t total() const override { return reading_.file_count(); }
    std::wstring progress_text() const override
    {
        return format_text(texts::telemetry_progress_text, {done(), total()}); // "%d / %d ファイル"
    }

private:
    TelemetryReading& reading_;
};

// Writes the whole file; a file that could not be written completely is deleted again.
bool write_whole_file(const std::wstring& path, const void* data, size_t size)
{
    File out = File::create_exclusive_write(path);
    if (!out.is_open()) {
        return false;
    }
    if (out.write(data, size) && out.flush()) {
        return true;
    }
    out.close();
    delete_file(path);
    return false;
}

// The archive file that holds the shown frame: a picture of an image folder is a file of its own,
// the other frames stand in the event file or in the chapter being played.
std::wstring frame_file(int kind, const VideoPlayer& player, const FrameRecord* record)
{
    if (kind != data_type_image) {
        return RecordingFiles::archive_file(kind, player.folder(), player.chapter());
    }
    return record != nullptr ? record->path : std::wstring();
}

// The number in the proposed name: a picture has the one of its file ("1-003.dpc"), a frame its
// place in the whole recording.
int frame_number(int kind, const VideoPlayer& player, const FrameRecord* record, int frame)
{
    switch (kind) {
    case data_type_continuous: return player.chapter() * VideoPlayer::chapter_frames + frame;
    case data_type_image: return record != nullptr ? record->picture_number : 0;
    default: return frame;
    }
}

} // namespace

void MainWindow::on_init_menu(HMENU menu)
{
    // By command: the items are found in the ファイル menu under the bar.
    EnableMenuItem(menu, IDC_CMD_SAVE_FRAME, MF_BYCOMMAND | (frame_savable() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDC_CMD_EXPORT_TELEMETRY, MF_BYCOMMAND | (something_open() ? MF_ENABLED : MF_GRAYED));
}

bool MainWindow::frame_savable() const
{
    return player_->picture() != nullptr && player_->shown_frame() >= 0 && player_->info() != nullptr;
}

void MainWindow::save_frame_command()
{
    if (!frame_savable()) {
        return;
    }
    pause_if_playing();
    const int kind = current_data_type();
    const int frame = player_->shown_frame();
    const FrameRecord* record = player_->info()->frame_record(frame);
    const std::wstring file = frame_file(kind, *player_, record);
    std::vector<uint8_t> jpeg;
    if (file.empty() || !RecordingFiles::frame_jpeg(kind, file, frame, jpeg)) {
        show_warning(handle(), load_text(texts::save_frame_no_picture)); // "このフレームには保存できる画像がありません。"
        return;
    }
    SaveFileDialog dialog(texts::save_frame_dialog_title, texts::save_frame_file_filter, L"jpg", CSIDL_MYPICTURES);
    dialog.path = dated_file_name(texts::save_frame_file_name, record != nullptr ? record->time : 0, current_folder_,
                                  frame_number(kind, *player_, record, frame));
    if (dialog.doModal(handle()) && !write_whole_file(dialog.path, jpeg.data(), jpeg.size())) {
        show_warning(handle(), format_text(texts::save_frame_failed, dialog.path)); // "静止画を保存できませんでした。…"
    }
}

void MainWindow::export_telemetry_command()
{
    if (!something_open()) {
        return;
    }
    pause_if_playing();
    // The first file is read before a file name is asked for: a recording that cannot be read at
    // all is told first, and the name comes from its first capture time.
    TelemetryReading reading(current_data_type(), current_folder_);
    {
        const WaitCursor waiting;
        while (reading.csv().first_time() == 0 && reading.step()) {
        }
    }
    SaveFileDialog dialog(texts::telemetry_dialog_title, texts::telemetry_file_filter, L"csv", CSIDL_PERSONAL);
    dialog.path = dated_file_name(texts::telemetry_file_name, reading.csv().first_time(), current_folder_);
    if (!dialog.doModal(handle())) {
        return;
    }
    // The other chapters of a continuous recording under a progress window that can stop them.
    TelemetryWork work(reading);
    if (!reading.finished() &&
        ProgressDialog(work, load_text(texts::telemetry_progress_caption)).run(handle()) != ProgressDialog::finished) {
        return;
    }
    const std::string& text = reading.csv().text();
    if (!write_whole_file(dialog.path, text.data(), text.size())) {
        show_warning(handle(), format_text(texts::telemetry_write_failed, dialog.path)); // "走行データを書き出せませんでした。…"
    }
}
