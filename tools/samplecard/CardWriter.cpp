#include "samplecard/CardWriter.h"

#include "samplecard/CardFiles.h"
#include "samplecard/EventRecording.h"
#include "samplecard/PictureRecording.h"

namespace samplecard {

void write_event_folder(const std::wstring& folder, const EventOptions& options)
{
    create_folders(folder);
    const WrittenArchive event = make_event(options);
    write_file(join_path(folder, L"Video.dvt"), event.bytes);
    write_file(join_path(folder, L"VideoInf.dat"), make_video_inf(event));
}

void write_continuous_folder(const std::wstring& folder, const ContinuousOptions& options,
                             const std::vector<std::wstring>& names)
{
    create_folders(folder);
    const ContinuousRecording recording(options);
    for (int i = 0; i < recording.chapter_count(); ++i) {
        const std::wstring name =
            static_cast<size_t>(i) < names.size() ? names[static_cast<size_t>(i)] : ContinuousRecording::chapter_name(i);
        write_file(join_path(folder, name), recording.chapter(i).bytes);
    }
}

std::vector<std::wstring> write_image_folder(const std::wstring& folder, uint64_t seed, int count,
                                             const PictureFormat& format, const std::optional<CivilTime>& first)
{
    create_folders(folder);
    Random random(seed);
    CivilTime time = first.value_or(CivilTime{2011, random.between(1, 12), random.between(1, 28),
                                              random.between(7, 12), random.between(0, 59), random.between(0, 59)});
    std::vector<std::wstring> names;
    for (int i = 0; i < count; ++i) {
        PictureOptions picture;
        picture.seed = random.next();
        picture.time = time;
        picture.number = i + 1;
        picture.picture = format;
        names.push_back(picture_name(picture.group, picture.number));
        write_file(join_path(folder, names.back()), make_picture(picture).bytes);
        time = time.plus_seconds(random.between(60, 900));
    }
    return names;
}

void write_firminfo(const std::wstring& root, const FirmInfoOptions& options)
{
    create_folders(root);
    write_file(join_path(root, L"FIRMINFO.DAT"), make_firminfo(options));
}

} // namespace samplecard
