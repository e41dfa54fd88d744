// The card the run command writes, checked as a whole (Windows only: under the host's
// sanitizers it takes half a minute, and the small-recording tests cover the same code there).
#include "samplecard/CardFiles.h"
#include "samplecard/CardWriter.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace samplecard;
using namespace samplecard_test;

struct Counts {
    int pictures = 0; // information block excluded
    int sounds = 0;
    std::vector<uint32_t> picture_ms;
};

Counts count_blocks(const Bytes& file)
{
    bool complete = false;
    const auto chain = block_chain(file, complete);
    EXPECT_TRUE(complete);
    Counts counts;
    for (size_t i = 1; i < chain.size(); ++i) {
        if (chain[i].type == 0x55) {
            ++counts.pictures;
            counts.picture_ms.push_back(chain[i].ms);
        } else if (chain[i].type == 0xAA) {
            ++counts.sounds;
        }
    }
    return counts;
}

// The card is written once and checked part by part (each TEST would run in a process of its
// own and write it again).
class RealisticCard {
public:
    RealisticCard() : folders(write_realistic_card(temp.path(), 1)) {}

    void lists_its_five_recording_folders() const;
    void events_have_thirty_seconds_around_their_detection_instant() const;
    void continuous_recording_has_three_chapters_the_last_one_short() const;
    void image_folder_holds_twenty_pictures_in_time_order() const;
    void firminfo_holds_every_item_with_a_threshold_from_the_stops() const;

private:
    std::wstring path(const wchar_t* parent, const wchar_t* folder, const wchar_t* file) const
    {
        return join_path(join_path(join_path(temp.path(), parent), folder), file);
    }

    TempFolder temp;
    std::vector<CardFolder> folders;
};

void RealisticCard::lists_its_five_recording_folders() const
{
    std::set<std::wstring> paths;
    for (const CardFolder& folder : folders) {
        paths.insert(folder.path);
        EXPECT_FALSE(folder.hidden);
    }
    EXPECT_EQ(paths, (std::set<std::wstring>{L"CONT\\0001", L"EVENT\\0001", L"EVENT\\0002", L"EVENT\\0003",
                                             L"IMAGE\\0001"}));
}

void RealisticCard::events_have_thirty_seconds_around_their_detection_instant() const
{
    const struct {
        const wchar_t* folder;
        uint8_t kind;
        int frames;
        int detection;
    } events[] = {{L"0001", 0x10, 900, 360}, {L"0002", 0x20, 900, 360}, {L"0003", 0x10, 896, 358}};
    for (const auto& event : events) {
        const Bytes file = read_file(path(L"EVENT", event.folder, L"Video.dvt"));
        EXPECT_EQ(file[0], event.kind);
        const Counts counts = count_blocks(file);
        EXPECT_EQ(counts.pictures, event.frames);
        if (counts.pictures != event.frames) {
            continue;
        }
        EXPECT_EQ(counts.sounds, (event.frames * 1000 / 30 + 199) / 200);
        const uint32_t detection_ms = be32(file, 8);
        EXPECT_GE(detection_ms, counts.picture_ms[static_cast<size_t>(event.detection)]);
        EXPECT_LT(detection_ms, counts.picture_ms[static_cast<size_t>(event.detection) + 1]);
        EXPECT_EQ(read_file(path(L"EVENT", event.folder, L"VideoInf.dat")).size(), 48u);
    }
}

void RealisticCard::continuous_recording_has_three_chapters_the_last_one_short() const
{
    const wchar_t* names[] = {L"Video0001.dmv", L"Video0002.dmv", L"Video0003.dmv"};
    const int frames[] = {600, 600, 450};
    int64_t previous_minute = -1;
    for (int i = 0; i < 3; ++i) {
        const Bytes file = read_file(path(L"CONT", L"0001", names[i]));
        EXPECT_EQ(count_blocks(file).pictures, frames[i]);
        const int64_t minute = bcd(file, 6, 1) + 60 * bcd(file, 5, 1); // header bytes 2-7: YY MM DD hh mm ss
        if (previous_minute >= 0) {
            EXPECT_EQ((minute - previous_minute + 1440) % 1440, 1);
        }
        previous_minute = minute;
    }
}

void RealisticCard::image_folder_holds_twenty_pictures_in_time_order() const
{
    int64_t previous = -1;
    for (int number = 1; number <= 20; ++number) {
        wchar_t name[16];
        std::swprintf(name, 16, L"1-%03d.dpc", number);
        const Bytes file = read_file(path(L"IMAGE", L"0001", name));
        EXPECT_GT(file.size(), 80u) << number;
        EXPECT_TRUE(has_signature_at(file, 66));
        const int64_t time = bcd(file, 36, 6);
        EXPECT_GT(time, previous);
        previous = time;
    }
}

void RealisticCard::firminfo_holds_every_item_with_a_threshold_from_the_stops() const
{
    const Bytes file = read_file(join_path(temp.path(), L"FIRMINFO.DAT"));
    ASSERT_EQ(file.size(), 16u + 8u + 80u);
    const std::set<int64_t> stops = {60, 57, 54, 51, 48, 45, 44, 43, 42, 41, 40};
    bool found = false;
    for (size_t at = 24; at < file.size(); at += 8) {
        if (be16(file, at) == 0x0801) {
            found = true;
            EXPECT_EQ(stops.count(bcd(file, at + 2, 2)), 1u);
        }
    }
    EXPECT_TRUE(found);
}

TEST(RealisticCard, HoldsWhatARecorderLeavesAfterADaysDriving)
{
    const RealisticCard card;
    card.lists_its_five_recording_folders();
    card.events_have_thirty_seconds_around_their_detection_instant();
    card.continuous_recording_has_three_chapters_the_last_one_short();
    card.image_folder_holds_twenty_pictures_in_time_order();
    card.firminfo_holds_every_item_with_a_threshold_from_the_stops();
}

} // namespace
