// tarvo-dump FILE [--wav OUT] [--frame N --bmp OUT] and tarvo-dump --csv FILE: what the archive
// reader makes of one event (.dvt), chapter (.dmv) or picture (.dpc) file.
#include "Modes.h"

#include <cwctype>
#include <memory>
#include <optional>

#include "RecordingReport.h"
#include "base/Exception.h"
#include "platform/File.h"
#include "platform/Platform.h"
#include "base/Text.h"
#include "base/Utf8.h"
#include "common/Arguments.h"
#include "common/JsonWriter.h"
#include "recording/TelemetryCsv.h"
#include "recording/VideoArchive.h"
#include "image/Image.h"

namespace {

struct Request {
    std::wstring file;
    bool csv = false;
    std::wstring wav;
    std::optional<int> frame;
    std::wstring bmp;
};

enum class FileKind { event, chapter, picture, unknown };

const char* const usage = "usage: tarvo-dump FILE [--wav OUT] [--frame N --bmp OUT]\n"
                          "       tarvo-dump --csv FILE\n"
                          "FILE is an event (.dvt), chapter (.dmv) or picture (.dpc) file.\n";

std::optional<int> parse_index(const std::wstring& text)
{
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    int value = 0;
    for (const wchar_t ch : text) {
        if (ch < L'0' || ch > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (ch - L'0');
    }
    return value;
}

std::optional<Request> parse(const Arguments& arguments)
{
    Request request;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        const bool has_value = i + 1 < arguments.size();
        if (argument == L"--csv") {
            request.csv = true;
        } else if (argument == L"--wav" && has_value) {
            request.wav = arguments[++i];
        } else if (argument == L"--bmp" && has_value) {
            request.bmp = arguments[++i];
        } else if (argument == L"--frame" && has_value) {
            request.frame = parse_index(arguments[++i]);
            if (!request.frame) {
                return std::nullopt;
            }
        } else if (argument.rfind(L"--", 0) != 0 && request.file.empty()) {
            request.file = argument;
        } else {
            return std::nullopt;
        }
    }
    const bool frame_complete = request.frame.has_value() == !request.bmp.empty();
    if (request.file.empty() || !frame_complete || (request.csv && request.frame)) {
        return std::nullopt;
    }
    return request;
}

FileKind kind_of(const std::wstring& path)
{
    if (path.size() < 4) {
        return FileKind::unknown;
    }
    std::wstring extension = path.substr(path.size() - 4);
    for (wchar_t& ch : extension) {
        ch = static_cast<wchar_t>(std::towlower(static_cast<wint_t>(ch)));
    }
    if (extension == L".dvt") {
        return FileKind::event;
    }
    if (extension == L".dmv") {
        return FileKind::chapter;
    }
    return extension == L".dpc" ? FileKind::picture : FileKind::unknown;
}

void load(VideoArchive& archive, FileKind kind, const std::wstring& path)
{
    switch (kind) {
    case FileKind::event: archive.load_event(path); break;
    case FileKind::chapter: archive.load_chapter(path); break;
    default: archive.load_picture_file(path); break;
    }
}

int fail(const std::string& message)
{
    JsonWriter json;
    json.begin_object().key("error").value(message).end_object();
    write_out(json.text() + "\n");
    return 1;
}

bool write_whole(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    File out = File::create_exclusive_write(path);
    return out.is_open() && out.write(bytes.data(), bytes.size());
}

bool copy_file(const std::wstring& from, const std::wstring& to)
{
    File in = File::open_shared_read(from);
    const int64_t size = in.size();
    if (!in.is_open() || size < 0) {
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    return in.read(bytes.data(), bytes.size()) == bytes.size() && write_whole(to, bytes);
}

// The extractions asked for; an error message, or empty when all went well.
std::string extract(VideoArchive& archive, const Request& request)
{
    if (!request.wav.empty()) {
        if (archive.sound_path().empty()) {
            return "no sound was extracted from this file";
        }
        if (!copy_file(archive.sound_path(), request.wav)) {
            return "the sound could not be written to " + wide_to_utf8(request.wav);
        }
    }
    if (request.frame) {
        const std::unique_ptr<Image> picture = archive.frame_picture(*request.frame);
        if (!picture) {
            return "frame " + std::to_string(*request.frame) + " has no picture that can be decoded";
        }
        if (!write_whole(request.bmp, bmp_file(*picture))) {
            return "the picture could not be written to " + wide_to_utf8(request.bmp);
        }
    }
    return {};
}

} // namespace

int dump_recording_file(const Arguments& arguments)
{
    const std::optional<Request> request = parse(arguments);
    const FileKind kind = request ? kind_of(request->file) : FileKind::unknown;
    if (!request || kind == FileKind::unknown) {
        write_err(usage);
        return 2;
    }
    auto archive = std::make_unique<VideoArchive>();
    try {
        load(*archive, kind, request->file);
    } catch (const Exception& failure) {
        return fail(wide_to_utf8(failure.message()));
    }
    if (archive->sound_failed()) {
        // A console tool shows no message boxes: the warning goes to standard error.
        write_err(wide_to_utf8(load_text(5501)) + "\n"); // "音声データの復元に失敗しました"
    }
    const std::string problem = extract(*archive, *request);
    if (!problem.empty()) {
        return fail(problem);
    }
    if (request->csv) {
        TelemetryCsv csv;
        csv.add(*archive);
        write_out(csv.text());
    } else {
        const int64_t sound_bytes = archive->sound_path().empty() ? -1 : wave_data_size(archive->sound_path());
        write_out(recording_json(*archive, sound_bytes));
    }
    return 0;
}
