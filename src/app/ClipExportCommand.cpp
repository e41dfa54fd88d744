#include "app/ClipExportCommand.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "playback/AviClipWriter.h"
#include "playback/ClipExport.h"
#include "recording/DataType.h"
#include "recording/DatedFileName.h"
#include "ui/IProgressWork.h"
#include "ui/ProgressDialog.h"
#include "ui/SaveFileDialog.h"

#include <shlobj.h>

#include <utility>

namespace {

// The export as the progress window sees it: a second of the clip per step.
class ExportWork : public IProgressWork {
public:
    ExportWork(ClipExport& clip, IClipWriter& writer) : clip_(clip), writer_(writer) {}

    bool step() override { return clip_.step(writer_); }
    int64_t done() const override { return clip_.slots_written(); }
    int64_t total() const override { return clip_.slots_expected(); }
    std::wstring progress_text() const override
    {
        const int64_t fps = clip_.frames_per_second();
        return format_text(texts::export_progress_text, {done() / fps, (total() + fps - 1) / fps}); // "%d 秒 / %d 秒"
    }

private:
    ClipExport& clip_;
    IClipWriter& writer_;
};

} // namespace

ClipExportCommand::ClipExportCommand(PathChooser chooser) : chooser_(std::move(chooser)) {}

bool ClipExportCommand::applies_to(int data_type, bool recording_open)
{
    return recording_open && (data_type == data_type_event || data_type == data_type_continuous);
}

bool ClipExportCommand::run(HWND owner, const std::wstring& folder, int data_type)
{
    // Reading the first file first: a recording that cannot be read fails before any question.
    const std::unique_ptr<ClipExport> clip = ClipExport::of_folder(folder, data_type);
    // Named as the telemetry and the frames are: by the time of the first frame it holds.
    std::wstring path = dated_file_name(texts::export_file_name, clip->first_time(), folder);
    if (!chooser_(owner, path)) {
        return false;
    }
    AviClipWriter writer(path);
    ExportWork work(*clip, writer);
    try {
        if (ProgressDialog(work, load_text(texts::export_progress_caption)).run(owner) != ProgressDialog::finished) {
            writer.abandon();
            return false;
        }
    } catch (...) {
        writer.abandon();
        throw;
    }
    return true;
}

bool choose_clip_path(HWND owner, std::wstring& path)
{
    SaveFileDialog dialog(texts::export_dialog_title, texts::export_file_filter, L"avi", CSIDL_MYVIDEO);
    dialog.path = path;
    if (!dialog.doModal(owner)) {
        return false;
    }
    path = dialog.path;
    return true;
}
