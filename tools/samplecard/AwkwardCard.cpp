// The card layouts that make finding and stepping through recordings hard.
#include "samplecard/CardFiles.h"
#include "samplecard/CardWriter.h"
#include "samplecard/EventRecording.h"
#include "samplecard/PictureRecording.h"

#include "platform/Platform.h"

namespace samplecard {

namespace {

class AwkwardCardWriter {
public:
    explicit AwkwardCardWriter(const std::wstring& root) : root_(root) {}

    std::vector<CardFolder> write()
    {
        create_folders(root_);
        event_folders();
        continuous_folders();
        image_folders();
        mixed_folders();
        case_folders();
        FirmInfoOptions settings;
        settings.g_threshold = 46; // not one of the simple tab's stops
        settings.direction_correction = -5;
        write_firminfo(root_, settings);
        return folders_;
    }

private:
    std::wstring path(const std::wstring& parent, const std::wstring& name) const
    {
        return join_path(join_path(root_, parent), name);
    }

    void add(const std::wstring& parent, const std::wstring& name, const wchar_t* contents, bool hidden,
             const wchar_t* note)
    {
        folders_.push_back({join_path(parent, name), contents, hidden, note});
    }

    static EventOptions small_event(uint64_t seed)
    {
        EventOptions options;
        options.seed = seed;
        options.frames = 45;
        options.detection_frame = 20;
        return options;
    }

    void event_folders()
    {
        // Sorted by name, not by number: 0001, 0002, 0003, 0004, 0010, 0011.
        write_event_folder(path(L"EVENT", L"0010"), small_event(110));
        add(L"EVENT", L"0010", L"event", false, L"sorts after 0002 although written first");
        write_event_folder(path(L"EVENT", L"0002"), small_event(102));
        add(L"EVENT", L"0002", L"event", false, L"");
        write_event_folder(path(L"EVENT", L"0001"), small_event(101));
        add(L"EVENT", L"0001", L"event", false, L"");
        write_event_folder(path(L"EVENT", L"0003"), small_event(103));
        hide_folder(path(L"EVENT", L"0003"));
        add(L"EVENT", L"0003", L"event", true, L"hidden folder");
        create_folders(path(L"EVENT", L"0004"));
        add(L"EVENT", L"0004", L"none", false, L"empty: stepping onto it ends the step");
        // Only the information file: still a sign of an event folder for previous/next.
        create_folders(path(L"EVENT", L"0011"));
        write_file(join_path(path(L"EVENT", L"0011"), L"VideoInf.dat"), make_video_inf(make_event(small_event(111))));
        add(L"EVENT", L"0011", L"event information only", false, L"VideoInf.dat without Video.dvt");
    }

    void continuous_folders()
    {
        ContinuousOptions three;
        three.seed = 201;
        three.chapter_frames = 20;
        write_continuous_folder(path(L"CONT", L"0001"), three);
        add(L"CONT", L"0001", L"continuous", false, L"3 short chapters");

        ContinuousOptions many;
        many.seed = 202;
        many.chapters = 61;
        many.chapter_frames = 3;
        write_continuous_folder(path(L"CONT", L"0002"), many);
        add(L"CONT", L"0002", L"continuous", false, L"61 chapters of 3 frames: more than 60");

        // Chapter names as a PC may leave them, with files that only look like chapters.
        ContinuousOptions odd;
        odd.seed = 203;
        odd.chapters = 6;
        odd.chapter_frames = 10;
        write_continuous_folder(path(L"CONT", L"0003"), odd,
                                {L"VIDEO0001.DMV", L"video0002.dmv", L"Video0003.dmv", L"Video001.dmv",
                                 L"VideoA001.dmv", L"Clip0001.dmv"});
        add(L"CONT", L"0003", L"continuous", false,
            L"chapter names in mixed case and three look-alikes that are not chapters");

        ContinuousOptions hidden;
        hidden.seed = 204;
        hidden.chapters = 2;
        hidden.chapter_frames = 10;
        write_continuous_folder(path(L"CONT", L"0004"), hidden);
        hide_folder(path(L"CONT", L"0004"));
        add(L"CONT", L"0004", L"continuous", true, L"hidden folder");
    }

    void image_folders()
    {
        const PictureFormat format;
        write_image_folder(path(L"IMAGE", L"0001"), 301, 5, format, CivilTime{2011, 8, 3, 10, 0, 0});
        // The recorder's clock was never set for one picture: the viewer sorts it first.
        PictureOptions unset;
        unset.seed = 302;
        unset.number = 6;
        unset.invalid_date = true;
        write_file(join_path(path(L"IMAGE", L"0001"), L"1-006.dpc"), make_picture(unset).bytes);
        PictureOptions upper;
        upper.seed = 303;
        upper.number = 7;
        write_file(join_path(path(L"IMAGE", L"0001"), L"1-007.DPC"), make_picture(upper).bytes);
        add(L"IMAGE", L"0001", L"image", false, L"7 pictures, one dated 30 February, one named .DPC");

        write_image_folder(path(L"IMAGE", L"0002"), 304, 3, format);
        hide_folder(path(L"IMAGE", L"0002"));
        add(L"IMAGE", L"0002", L"image", true, L"hidden folder");
    }

    void mixed_folders()
    {
        const std::wstring mixed = path(L"MIXED", L"0001");
        write_event_folder(mixed, small_event(401));
        write_image_folder(mixed, 402, 2, PictureFormat{});
        ContinuousOptions one;
        one.seed = 403;
        one.chapters = 1;
        one.chapter_frames = 10;
        write_continuous_folder(mixed, one);
        add(L"MIXED", L"0001", L"mixed", false, L"an event, two pictures and a chapter together");

        // Only the extension counts for event files.
        const std::wstring renamed = path(L"MIXED", L"0002");
        create_folders(renamed);
        write_file(join_path(renamed, L"old.DVT"), make_event(small_event(404)).bytes);
        add(L"MIXED", L"0002", L"event", false, L"an event file named old.DVT");
    }

    void case_folders()
    {
        // Two folders whose names differ only in case exist where the file system keeps them
        // apart; on Windows the second one is the first one again and is left out.
        write_event_folder(path(L"CASE", L"rec"), small_event(501));
        add(L"CASE", L"rec", L"event", false, L"");
        if (keeps_case_apart(path(L"CASE", L"rec"), path(L"CASE", L"REC"))) {
            write_event_folder(path(L"CASE", L"REC"), small_event(502));
            add(L"CASE", L"REC", L"event", false, L"differs from rec only in case");
        }
        write_event_folder(path(L"CASE", L"Rec2"), small_event(503));
        add(L"CASE", L"Rec2", L"event", false, L"");
    }

    // Whether `upper` names another folder than `lower`: a file made in `lower` must not
    // appear in `upper`.
    static bool keeps_case_apart(const std::wstring& lower, const std::wstring& upper)
    {
        const std::wstring probe = join_path(lower, L"case.probe");
        write_file(probe, Bytes{});
        const bool apart = !file_exists(join_path(upper, L"case.probe"));
        delete_file(probe);
        return apart;
    }

    std::wstring root_;
    std::vector<CardFolder> folders_;
};

} // namespace

std::vector<CardFolder> write_awkward_card(const std::wstring& root)
{
    return AwkwardCardWriter(root).write();
}

} // namespace samplecard
