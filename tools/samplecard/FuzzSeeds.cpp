// Seed files for the archive fuzzer: small, so that it mutates structure rather than pixels.
#include "samplecard/CardFiles.h"
#include "samplecard/CardWriter.h"
#include "samplecard/EventRecording.h"
#include "samplecard/PictureRecording.h"

namespace samplecard {

namespace {

constexpr PictureFormat tiny{64, 48, 50};

Faults every_stream_fault()
{
    Faults faults;
    faults.missing_frames = {3};
    faults.duplicate_frames = {4};
    faults.broken_signatures = {6};
    faults.foreign_blocks_before = {8};
    faults.flagged_frames = {2};
    return faults;
}

EventOptions short_event(uint64_t seed)
{
    EventOptions options;
    options.seed = seed;
    options.frames = 12;
    options.detection_frame = 6;
    options.picture = tiny;
    return options;
}

ContinuousOptions short_chapter(uint64_t seed)
{
    ContinuousOptions options;
    options.seed = seed;
    options.chapters = 1;
    options.chapter_frames = 10;
    options.picture = tiny;
    return options;
}

PictureOptions small_picture(uint64_t seed)
{
    PictureOptions options;
    options.seed = seed;
    options.picture = tiny;
    return options;
}

} // namespace

std::vector<std::wstring> write_fuzz_seeds(const std::wstring& folder)
{
    create_folders(folder);
    std::vector<std::wstring> names;
    auto put = [&](const wchar_t* name, const Bytes& bytes) {
        write_file(join_path(folder, name), bytes);
        names.emplace_back(name);
    };

    put(L"event.dvt", make_event(short_event(1)).bytes);
    EventOptions damaged = short_event(2);
    damaged.faults = every_stream_fault();
    put(L"event-faults.dvt", make_event(damaged).bytes);
    EventOptions cut = short_event(3);
    const WrittenArchive whole = make_event(cut);
    cut.faults.truncate_to = static_cast<int64_t>(whole.blocks[whole.blocks.size() / 2].offset + 40);
    put(L"event-truncated.dvt", make_event(cut).bytes);

    put(L"chapter.dmv", ContinuousRecording(short_chapter(4)).chapter(0).bytes);
    ContinuousOptions chapter = short_chapter(5);
    chapter.faults[0] = every_stream_fault();
    put(L"chapter-faults.dmv", ContinuousRecording(chapter).chapter(0).bytes);

    put(L"picture.dpc", make_picture(small_picture(6)).bytes);
    PictureOptions broken = small_picture(7);
    broken.broken_signature = true;
    put(L"picture-broken.dpc", make_picture(broken).bytes);
    PictureOptions short_picture = small_picture(8);
    short_picture.truncate_to = 300;
    put(L"picture-truncated.dpc", make_picture(short_picture).bytes);

    put(L"FIRMINFO.DAT", make_firminfo(FirmInfoOptions{}));
    FirmInfoOptions bad;
    bad.bad_record_checks = {2};
    bad.trailing_bytes = 5;
    put(L"FIRMINFO-damaged.DAT", make_firminfo(bad));
    FirmInfoOptions settings;
    settings.lead_block = false;
    put(L"DREC.INI", make_firminfo(settings));
    return names;
}

} // namespace samplecard
