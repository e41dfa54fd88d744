// What tarvo-dump prints of a recording folder and of an image folder, checked on real folders.
#include "FolderReport.h"
#include "RecordingReport.h"

#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "base/Text.h"
#include "base/Utf8.h"
#include "recording/DataType.h"
#include "recording/VideoArchive.h"
#include "support/ArchiveBuilder.h"
#include "support/MiniJson.h"
#include "support/TempFolder.h"

namespace {

std::string utf8_text(int id) { return wide_to_utf8(load_text(id)); }

// A chapter file with `frames` picture blocks 100 ms apart.
Bytes chapter(int frames)
{
    ArchiveBuilder builder;
    builder.information_block();
    for (int i = 0; i < frames; ++i) {
        builder.picture(100 * i);
    }
    return builder.bytes();
}

class FolderReport : public ::testing::Test {
protected:
    std::wstring folder(const std::wstring& name, std::initializer_list<const wchar_t*> files)
    {
        make_folder(card.file(name));
        for (const wchar_t* file : files) {
            write_bytes(join_path(card.file(name), file), {0});
        }
        return card.file(name);
    }

    static JsonValue report(const std::wstring& path)
    {
        const std::string text = folder_json(path);
        EXPECT_EQ(text.back(), '\n');
        return parse_json(text).value_or(JsonValue{});
    }

    // "result/type" of the check from each starting kind 0, 1, 2.
    static std::string selection(const JsonValue& json)
    {
        std::string text;
        for (size_t start = 0; start < 3; ++start) {
            const JsonValue& check = json["select"][start];
            EXPECT_EQ(check["current"].integer(), static_cast<long long>(start));
            text += (check["result"].boolean ? "T/" : "F/") + check["type"].text + (start < 2 ? " " : "");
        }
        return text;
    }

    TempFolder card;
};

TEST_F(FolderReport, ChaptersAndNeighboursInTheKindTheFolderSettlesOn)
{
    folder(L"0001", {L"Video0001.dmv"});
    const std::wstring open = folder(L"0002", {L"Video.dvt", L"VideoA001.dmv"});
    write_bytes(join_path(open, L"video0002.DMV"), chapter(12));
    write_bytes(join_path(open, L"Video0001.dmv"), chapter(3));
    folder(L"0003", {L"Video.dvt"});
    set_current_data_type(data_type_image);

    const JsonValue json = report(open);
    EXPECT_EQ(json["counts"]["event"].integer(), 1);
    EXPECT_EQ(json["counts"]["image"].integer(), 0);
    EXPECT_EQ(json["counts"]["continuous"].integer(), 2);
    EXPECT_EQ(selection(json), "T/0 F/1 T/2"); // two kinds: each start keeps its own
    ASSERT_EQ(json["chapters"].items.size(), 2u);
    EXPECT_EQ(json["chapters"][0].text, "Video0001.dmv");
    EXPECT_EQ(json["chapters"][1].text, "video0002.DMV");
    EXPECT_FALSE(json["more_than_60"].boolean);
    EXPECT_EQ(json["total_frames"].integer(), 600 + 12);
    // Started from the event kind the check stays there: 0001 holds no event, 0003 does.
    EXPECT_EQ(json["previous"]["error"].text, utf8_text(5066));
    EXPECT_EQ(json["next"].text, "0003");
    EXPECT_EQ(current_data_type(), data_type_image); // the process's kind is left as it was
    set_current_data_type(data_type_event);

    // A folder of chapters alone settles on the continuous kind and steps in it.
    const JsonValue continuous = report(card.file(L"0001"));
    EXPECT_EQ(selection(continuous), "T/2 T/2 T/2");
    EXPECT_EQ(continuous["next"].text, "0002");
    EXPECT_EQ(continuous["total_frames"].integer(), 0); // its one "chapter" cannot be read
}

TEST_F(FolderReport, FailuresAreReportedInPlace)
{
    const JsonValue only = report(folder(L"only", {L"1-001.dpc", L"1-002.DPC", L"Video001.dmv"}));
    EXPECT_EQ(only["counts"]["image"].integer(), 2);
    EXPECT_EQ(only["counts"]["continuous"].integer(), 0);
    EXPECT_EQ(selection(only), "T/1 T/1 T/1");
    EXPECT_EQ(only["chapters"]["error"].text, utf8_text(5510));
    EXPECT_EQ(only["more_than_60"].kind, JsonValue::Kind::boolean);
    EXPECT_FALSE(only["more_than_60"].boolean);
    EXPECT_EQ(only["total_frames"].integer(), 0);
    EXPECT_EQ(only["previous"]["error"].text, utf8_text(5066));
    EXPECT_EQ(only["next"]["error"].text, utf8_text(5065));

    const JsonValue gone = report(card.file(L"gone"));
    EXPECT_EQ(selection(gone), "F/0 F/1 F/2");
    EXPECT_TRUE(gone["previous"]["missing"].boolean);
    EXPECT_TRUE(gone["next"]["missing"].boolean);
}

TEST_F(FolderReport, AnImageFolderNamesEachPictureInTimeOrder)
{
    const auto picture = [](int second) {
        BlockFields fields;
        fields.time = bcd_date(11, 8, 3, 10, 0, second);
        return block(fields, masked_payload(40));
    };
    card.write(L"1-002.dpc", picture(30));
    card.write(L"1-001.DPC", picture(20));
    card.write(L"1-003.dpc", picture(10));
    VideoArchive archive;
    const auto json = parse_json(image_folder_json(archive, archive.load_images(card.path())));
    ASSERT_TRUE(json.has_value());
    EXPECT_EQ((*json)["more_than_600"].kind, JsonValue::Kind::boolean);
    EXPECT_FALSE((*json)["more_than_600"].boolean);
    EXPECT_EQ((*json)["kind_code"].integer(), 11);
    EXPECT_EQ((*json)["sound_bytes"].integer(), -1);
    ASSERT_EQ((*json)["frames"].items.size(), 3u);
    EXPECT_EQ((*json)["frames"][0]["name"].text, "1-003.dpc");
    EXPECT_EQ((*json)["frames"][1]["name"].text, "1-001.DPC");
    EXPECT_EQ((*json)["frames"][2]["name"].text, "1-002.dpc");
    EXPECT_TRUE(parse_json(image_folder_json(archive, true)).value()["more_than_600"].boolean);
    // The recording file's object has no names.
    EXPECT_TRUE(parse_json(recording_json(archive, -1)).value()["frames"][0]["name"].is_null());
}

} // namespace
