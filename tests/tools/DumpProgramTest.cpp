// Runs the real tarvo-dump program on files written here and reads what it prints.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#include "base/Text.h"
#include "recording/TelemetryCsv.h"
#include "recording/VideoArchive.h"
#include "support/ArchiveBuilder.h"
#include "support/MiniJson.h"
#include "support/TempFolder.h"
#include "support/TestJpeg.h"
#include "support/TestZone.h"

namespace {

struct DumpRun {
    int status = -1;
    std::string out;
};

// Runs the program with `arguments`, in the folder `directory` when one is given.
DumpRun run_dump(const std::string& arguments, const std::wstring& directory = {})
{
    use_recorder_time_zone(); // the program inherits TZ=JST-9
    DumpRun run;
    const std::string change = directory.empty() ? "" : "cd '" + to_narrow(directory) + "' && ";
    const std::string command = change + "'" + TARVO_DUMP_PATH + "' " + arguments + " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        run.out.append(buffer, got);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string quoted(const std::wstring& path)
{
    return "'" + to_narrow(path) + "'";
}

class DumpProgram : public ::testing::Test {
protected:
    std::wstring write_event(const std::wstring& name)
    {
        HeaderFields header;
        header.detection_ms = 34;
        ArchiveBuilder builder(header);
        const Bytes jpeg = encode_colour_jpeg(40, 30, [](int, int) { return 0x2040C0u; });
        builder.information_block().picture(BlockFields{}, recorder_payload(jpeg)).picture(34);
        builder.sound(0, Bytes(500, 0x99)).sound(100, Bytes(500, 0x66));
        return folder.write(name, builder.bytes());
    }
    TempFolder folder;
};

TEST_F(DumpProgram, PrintsTheRecordingAsJsonWhateverTheExtensionsCase)
{
    for (const wchar_t* name : {L"Video.dvt", L"VIDEO.DVT"}) {
        const DumpRun run = run_dump(quoted(write_event(name)));
        ASSERT_EQ(run.status, 0);
        const auto json = parse_json(run.out);
        ASSERT_TRUE(json.has_value()) << run.out;
        EXPECT_EQ((*json)["kind_code"].integer(), 1);
        EXPECT_EQ((*json)["frame_count"].integer(), 2);
        EXPECT_EQ((*json)["detection_index"].integer(), 1);
        EXPECT_EQ((*json)["sound_bytes"].integer(), 1102 + 500);
        EXPECT_EQ((*json)["start_time"].integer(), jst_seconds(2010, 1, 2, 3, 4, 5));
        EXPECT_EQ((*json)["frames"].items.size(), 2u);
        EXPECT_EQ((*json)["time_index"].items.size(), 2u);
    }
}

TEST_F(DumpProgram, PicturesHaveNoSound)
{
    BlockFields fields;
    fields.speed = 12;
    const std::wstring path = folder.write(L"1-001.Dpc", block(fields, masked_payload(40)));
    const DumpRun run = run_dump(quoted(path));
    ASSERT_EQ(run.status, 0);
    const auto json = parse_json(run.out);
    ASSERT_TRUE(json.has_value()) << run.out;
    EXPECT_EQ((*json)["kind_code"].integer(), 11);
    EXPECT_EQ((*json)["sound_bytes"].integer(), -1);
    EXPECT_EQ((*json)["header_speed"].integer(), 12);
}

TEST_F(DumpProgram, WritesCsvSoundAndFrames)
{
    const std::wstring event = write_event(L"Video.dvt");
    const DumpRun csv = run_dump("--csv " + quoted(event));
    ASSERT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\r')), "Time,DateTime,KPH,G1,G2,G,Marker");
    EXPECT_NE(csv.out.find("\r\n0.034,2010-01-02T03:04:05+09:00,"), std::string::npos) << csv.out;
    // Written by the viewer's own writer, so that its telemetry export is the same file.
    VideoArchive archive;
    archive.load_event(event);
    TelemetryCsv viewer;
    viewer.add(archive);
    EXPECT_EQ(csv.out, viewer.text());

    const std::wstring wav = folder.file(L"out.wav");
    const std::wstring bmp = folder.file(L"out.bmp");
    const DumpRun extract = run_dump(quoted(event) + " --wav " + quoted(wav) + " --frame 0 --bmp " + quoted(bmp));
    ASSERT_EQ(extract.status, 0);
    const Bytes sound = read_bytes(wav);
    ASSERT_EQ(sound.size(), 44u + 1602u);
    EXPECT_EQ(sound[44], 0x99);
    EXPECT_EQ(sound.back(), 0x66);
    const Bytes picture = read_bytes(bmp);
    ASSERT_EQ(picture.size(), 54u + 40u * 30u * 4u);
    EXPECT_NEAR(picture[54], 0xC0, 12); // blue of the bottom-left pixel
    EXPECT_NEAR(picture[56], 0x20, 12); // red

    const DumpRun undecodable = run_dump(quoted(event) + " --frame 1 --bmp " + quoted(bmp));
    EXPECT_EQ(undecodable.status, 1);
    ASSERT_TRUE(parse_json(undecodable.out).has_value());
    EXPECT_FALSE((*parse_json(undecodable.out))["error"].is_null());
}

TEST_F(DumpProgram, FolderModeFindsTheNeighboursOfARelativeFolder)
{
    make_folder(folder.file(L"0001"));
    make_folder(folder.file(L"0002"));
    make_folder(folder.file(L"0003"));
    write_event(L"0001/Video.dvt");
    write_event(L"0003/Video.dvt");
    folder.write(L"0002/VideoInf.dat", {0});
    // Started in the card's folder with "0002/": the parent must still be found.
    const DumpRun run = run_dump("--folder 0002/", folder.path());
    ASSERT_EQ(run.status, 0);
    const auto json = parse_json(run.out);
    ASSERT_TRUE(json.has_value()) << run.out;
    EXPECT_EQ((*json)["counts"]["event"].integer(), 0);
    EXPECT_FALSE((*json)["select"][0]["result"].boolean);
    EXPECT_EQ((*json)["previous"].text, "0001");
    EXPECT_EQ((*json)["next"].text, "0003");

    const DumpRun gone = run_dump("--folder " + quoted(folder.file(L"0004")));
    EXPECT_EQ(gone.status, 1);
    ASSERT_TRUE(parse_json(gone.out).has_value()) << gone.out;
    EXPECT_TRUE((*parse_json(gone.out))["next"]["missing"].boolean);
    EXPECT_EQ(run_dump("--folder").status, 2);
}

TEST_F(DumpProgram, ImagesModeListsThePicturesByName)
{
    BlockFields fields;
    fields.speed = 12;
    folder.write(L"1-001.dpc", block(fields, masked_payload(40)));
    folder.write(L"1-002.Dpc", block(fields, masked_payload(40)));
    const DumpRun run = run_dump("--images " + quoted(folder.path()));
    ASSERT_EQ(run.status, 0);
    const auto json = parse_json(run.out);
    ASSERT_TRUE(json.has_value()) << run.out;
    EXPECT_FALSE((*json)["more_than_600"].boolean);
    ASSERT_EQ((*json)["frames"].items.size(), 2u);
    // Equal times keep the search's order, which the host does not fix: both names are there.
    const std::string names = (*json)["frames"][0]["name"].text + " " + (*json)["frames"][1]["name"].text;
    EXPECT_TRUE(names == "1-001.dpc 1-002.Dpc" || names == "1-002.Dpc 1-001.dpc") << names;

    const DumpRun empty = run_dump("--images " + quoted(folder.file(L"none")));
    EXPECT_EQ(empty.status, 1);
    ASSERT_TRUE(parse_json(empty.out).has_value()) << empty.out;
    EXPECT_EQ((*parse_json(empty.out))["error"].text, "該当データを読み込めません。");
}

TEST_F(DumpProgram, ReportsFailuresAsJsonAndUsageErrorsByStatus)
{
    const DumpRun missing = run_dump(quoted(folder.file(L"none.dmv")));
    EXPECT_EQ(missing.status, 1);
    const auto json = parse_json(missing.out);
    ASSERT_TRUE(json.has_value()) << missing.out;
    EXPECT_EQ((*json)["error"].text, "該当データを読み込めません。");

    EXPECT_EQ(run_dump(quoted(folder.file(L"x.txt"))).status, 2);
    EXPECT_EQ(run_dump(quoted(write_event(L"Video.dvt")) + " --frame 0").status, 2);
    EXPECT_EQ(run_dump("").status, 2);
}

} // namespace
