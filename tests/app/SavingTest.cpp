// Saving out of the open recording under Wine: the shown frame as the recorder's own JPEG file,
// byte for byte, and the telemetry as the CSV that tarvo-dump --csv prints, from the ファイル
// menu's items with the save dialog answered by the test.
#include "ProgressCancel.h"
#include "ShellFixture.h"

#include "base/Text.h"
#include "image/Image.h"
#include "image/JpegDecoder.h"
#include "panels/Thumbnail.h"
#include "platform/FileSystem.h"
#include "playback/VideoPlayer.h"
#include "recording/FrameRecord.h"
#include "recording/IVideoInfo.h"
#include "recording/TelemetryCsv.h"
#include "recording/VideoArchive.h"
#include "ResourceIds.h"
#include "ui/SaveFileDialog.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// Answers every save dialog with a file of the test's folder, keeping what was proposed.
class SaveAnswer {
public:
    explicit SaveAnswer(std::wstring path, bool choose = true)
    {
        previous_ = SaveFileDialog::setHandler([this, path, choose](SaveFileDialog& dialog, HWND owner) {
            proposed.push_back(dialog.path);
            titles.push_back(dialog.titleText());
            owners.push_back(owner);
            dialog.path = path;
            return choose;
        });
    }
    ~SaveAnswer() { SaveFileDialog::setHandler(previous_); }
    SaveAnswer(const SaveAnswer&) = delete;
    SaveAnswer& operator=(const SaveAnswer&) = delete;

    std::vector<std::wstring> proposed;
    std::vector<int> titles;
    std::vector<HWND> owners;

private:
    SaveFileDialog::Handler previous_;
};

std::string as_text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// What tarvo-dump --csv prints for one archive file.
std::string dumped_csv(const std::wstring& path, bool chapter)
{
    auto archive = std::make_unique<VideoArchive>();
    chapter ? archive->load_chapter(path) : archive->load_event(path);
    TelemetryCsv csv;
    csv.add(*archive);
    return csv.text();
}

class SavingTest : public ShellFixture {
protected:
    VideoPlayer& player() { return window_->player(); }
    HMENU file_menu() { return GetSubMenu(GetMenu(handle_), 0); }
    void command(int id) { SendMessageW(handle_, WM_COMMAND, id, 0); }
    bool item_enabled(int id)
    {
        SendMessageW(handle_, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(handle_)), 0);
        return (GetMenuState(file_menu(), id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    // Pauses the playing recording and waits until the frame it stands at is shown.
    void pause_on_shown_frame()
    {
        ASSERT_TRUE(pumpUntil([&] { return player().shown_frame() > 5; }, 5000));
        player().pause();
        ASSERT_TRUE(pumpUntil([&] { return player().shown_frame() == player().frame(); }, 5000));
    }
};

TEST_F(SavingTest, TheFileMenuOffersBothAfterOpenWithTheirKeysAndOnlyWithSomethingToSave)
{
    HMENU menu = file_menu();
    wchar_t text[128] = {};
    GetMenuStringW(menu, 0, text, 128, MF_BYPOSITION);
    EXPECT_STREQ(text, L"開く(&O)...");
    // Right after 開く, or after the clip export where that stands there.
    const int after = GetMenuItemID(menu, 1) == IDC_CMD_EXPORT_CLIP ? 2 : 1;
    EXPECT_EQ(GetMenuItemID(menu, after), static_cast<UINT>(IDC_CMD_SAVE_FRAME));
    GetMenuStringW(menu, after, text, 128, MF_BYPOSITION);
    EXPECT_STREQ(text, L"静止画を保存する(&S)...\tCtrl+S");
    EXPECT_EQ(GetMenuItemID(menu, after + 1), static_cast<UINT>(IDC_CMD_EXPORT_TELEMETRY));
    GetMenuStringW(menu, after + 1, text, 128, MF_BYPOSITION);
    EXPECT_STREQ(text, L"走行データをCSVファイルに書き出す(&D)...");
    GetMenuStringW(menu, GetMenuItemCount(menu) - 1, text, 128, MF_BYPOSITION);
    EXPECT_STREQ(text, L"終了(&X)");
    EXPECT_FALSE(item_enabled(IDC_CMD_SAVE_FRAME));
    EXPECT_FALSE(item_enabled(IDC_CMD_EXPORT_TELEMETRY));
    // Nothing open: the commands do nothing, and no dialog is shown.
    SaveAnswer answer(card_.file(L"nothing.jpg"));
    command(IDC_CMD_SAVE_FRAME);
    command(IDC_CMD_EXPORT_TELEMETRY);
    EXPECT_TRUE(answer.proposed.empty());

    open(event_folder(L"0001"), data_type_event);
    ASSERT_TRUE(pumpUntil([&] { return player().picture() != nullptr; }, 5000));
    EXPECT_TRUE(item_enabled(IDC_CMD_SAVE_FRAME));
    EXPECT_TRUE(item_enabled(IDC_CMD_EXPORT_TELEMETRY));
}

TEST_F(SavingTest, TheShownFrameIsSavedAsTheRecordersOwnJpeg)
{
    const std::wstring folder = event_folder(L"0001");
    open(folder, data_type_event);
    pause_on_shown_frame();
    const int frame = player().shown_frame();
    const std::wstring saved = card_.file(L"frame.jpg");
    SaveAnswer answer(saved);
    command(IDC_CMD_SAVE_FRAME);
    ASSERT_EQ(answer.proposed.size(), 1u);
    EXPECT_EQ(answer.titles[0], texts::save_frame_dialog_title);
    EXPECT_EQ(answer.owners[0], handle_);
    // The frame's capture time and its number name the file.
    const FrameRecord record = *player().info()->frame_record(frame);
    const std::string date = TelemetryCsv::local_iso_time(record.time); // 2010-01-02T03:04:05+09:00
    wchar_t expected[64] = {};
    swprintf(expected, 64, L"%hs%hs%hs_%hs%hs%hs_%05d.jpg", date.substr(0, 4).c_str(), date.substr(5, 2).c_str(),
             date.substr(8, 2).c_str(), date.substr(11, 2).c_str(), date.substr(14, 2).c_str(),
             date.substr(17, 2).c_str(), frame);
    EXPECT_EQ(answer.proposed[0], expected);

    // Byte for byte the payload in the file, its 16 masked bytes given back as the JPEG start.
    const std::vector<uint8_t> jpeg = read_bytes(saved);
    const std::vector<uint8_t> archive = read_bytes(join_path(folder, L"Video.dvt"));
    ASSERT_EQ(jpeg.size(), static_cast<size_t>(record.payload_size));
    const auto payload = archive.begin() + record.payload_position;
    EXPECT_TRUE(std::equal(jpeg.begin() + 16, jpeg.end(), payload + 16));
    EXPECT_EQ(jpeg[0], 0xFF);
    EXPECT_EQ(jpeg[1], 0xD8);
    const std::unique_ptr<Image> picture = decode_jpeg(jpeg.data(), jpeg.size());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width(), 160);
    EXPECT_EQ(player().state(), VideoPlayer::paused);
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(SavingTest, AContinuousFrameIsNumberedOverTheWholeRecording)
{
    open(continuous_folder(L"CONT", 2, 40), data_type_continuous);
    player().pause();
    player().seek_total(600, 0);
    player().seek(7);
    ASSERT_TRUE(pumpUntil([&] { return player().chapter() == 1 && player().shown_frame() == 7; }, 5000));
    SaveAnswer answer(card_.file(L"chapter.jpg"));
    command(IDC_CMD_SAVE_FRAME);
    ASSERT_EQ(answer.proposed.size(), 1u);
    EXPECT_EQ(answer.proposed[0].substr(answer.proposed[0].size() - 10), L"_00607.jpg");
    const std::vector<uint8_t> saved = read_bytes(card_.file(L"chapter.jpg"));
    const std::unique_ptr<Image> picture = decode_jpeg(saved.data(), saved.size());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width(), 64) << "the continuous recording's own pictures";
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(SavingTest, APictureOfAnImageFolderIsSavedAsItsOwnJpeg)
{
    const std::wstring pictures = image_folder(L"IMAGE", 2);
    open(pictures, data_type_image);
    ASSERT_TRUE(pumpUntil([&] { return window_->thumbnails().finished() && player().shown_frame() == 0; }, 10000));
    SaveAnswer answer(card_.file(L"picture.jpg"));
    command(IDC_CMD_SAVE_FRAME);
    ASSERT_EQ(answer.proposed.size(), 1u);
    EXPECT_EQ(answer.proposed[0].substr(answer.proposed[0].size() - 10), L"_00001.jpg") << "the number of 1-001";
    const std::vector<uint8_t> picture = read_bytes(pictures + L"\\1-001.dpc");
    const std::vector<uint8_t> saved = read_bytes(card_.file(L"picture.jpg"));
    ASSERT_GT(saved.size(), 16u);
    EXPECT_EQ(saved.size(), picture.size() - 64) << "the picture file's block header comes off";
    EXPECT_TRUE(std::equal(saved.begin() + 16, saved.end(), picture.begin() + 64 + 16));
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(SavingTest, TheClipAndTheTelemetryProposeOneNameFromTheFirstFrame)
{
    // The event's detection instant lies 1.5 s after its first frame, in another second.
    samplecard::EventOptions event;
    event.frames = 90;
    event.detection_frame = 45;
    event.picture = {64, 48, 50};
    event.start = samplecard::CivilTime{2026, 12, 8, 8, 20, 54};
    samplecard::write_event_folder(card_.file(L"0001"), event);
    const std::pair<int, std::wstring> recordings[] = {{data_type_event, card_.file(L"0001")},
                                                       {data_type_continuous, continuous_folder(L"CONT", 2, 20)}};
    for (const auto& [kind, folder] : recordings) {
        SCOPED_TRACE(kind);
        open(folder, kind);
        std::wstring clip;
        window_->set_clip_path_chooser([&clip](HWND, std::wstring& path) {
            clip = path;
            return false;
        });
        command(IDC_CMD_EXPORT_CLIP);
        SaveAnswer answer(card_.file(L"unused.csv"), false);
        command(IDC_CMD_EXPORT_TELEMETRY);
        ASSERT_EQ(answer.proposed.size(), 1u);
        const std::wstring csv = answer.proposed[0];
        ASSERT_EQ(clip.size(), csv.size());
        EXPECT_EQ(clip.substr(0, clip.size() - 4), csv.substr(0, csv.size() - 4));
        if (kind == data_type_event) {
            EXPECT_EQ(clip, L"20261208_082054.avi");
        }
    }
}

TEST_F(SavingTest, TheTelemetryIsWhatTarvoDumpPrintsJoinedOverTheChapters)
{
    const std::wstring event = event_folder(L"0001");
    open(event, data_type_event);
    SaveAnswer answer(card_.file(L"event.csv"));
    command(IDC_CMD_EXPORT_TELEMETRY);
    ASSERT_EQ(answer.proposed.size(), 1u);
    EXPECT_EQ(answer.titles[0], texts::telemetry_dialog_title);
    EXPECT_EQ(answer.proposed[0].substr(8), L"_" + answer.proposed[0].substr(9, 6) + L".csv");
    EXPECT_EQ(as_text(read_bytes(card_.file(L"event.csv"))), dumped_csv(join_path(event, L"Video.dvt"), false));

    const std::wstring cont = continuous_folder(L"CONT", 3, 40);
    open(cont, data_type_continuous);
    SaveAnswer chapters_answer(card_.file(L"cont.csv"));
    command(IDC_CMD_EXPORT_TELEMETRY);
    const std::vector<std::string> lines = lines_of(as_text(read_bytes(card_.file(L"cont.csv"))));
    ASSERT_EQ(lines.size(), 1u + 3u * 40u) << "one heading, then every frame of every chapter";
    const std::vector<std::string> first = lines_of(dumped_csv(join_path(cont, L"Video0001.dmv"), true));
    EXPECT_TRUE(std::equal(first.begin(), first.end(), lines.begin())) << "the first chapter as tarvo-dump prints it";
    // The third chapter's lines differ only in their time, counted from the first chapter's start.
    const std::vector<std::string> third = lines_of(dumped_csv(join_path(cont, L"Video0003.dmv"), true));
    ASSERT_EQ(third.size(), 41u);
    for (size_t i = 1; i < third.size(); ++i) {
        const std::string& joined = lines[80 + i];
        EXPECT_EQ(joined.substr(joined.find(',')), third[i].substr(third[i].find(','))) << i;
    }
    EXPECT_EQ(lines[81].substr(0, 4), "120.") << "two minutes of chapters before it";
    EXPECT_TRUE(messages_.shown().empty());
}

TEST_F(SavingTest, TheChaptersAfterTheFirstAreReadUnderAProgressWindowThatCanStopThem)
{
    const std::wstring cont = continuous_folder(L"CONT", 3, 40);
    open(cont, data_type_continuous);
    {
        SaveAnswer answer(card_.file(L"stopped.csv"));
        const ProgressCancel cancel(texts::telemetry_progress_caption);
        command(IDC_CMD_EXPORT_TELEMETRY);
        EXPECT_EQ(answer.proposed.size(), 1u) << "the name is asked for before the window comes up";
        EXPECT_NE(cancel.cancelled(), nullptr);
    }
    EXPECT_FALSE(file_exists(card_.file(L"stopped.csv"))) << "a stopped reading writes nothing";
    EXPECT_TRUE(messages_.shown().empty());

    // An event is one file, read before the name is asked for: no progress window comes up.
    open(event_folder(L"0001"), data_type_event);
    SaveAnswer answer(card_.file(L"event.csv"));
    const ProgressCancel cancel(texts::telemetry_progress_caption);
    command(IDC_CMD_EXPORT_TELEMETRY);
    EXPECT_EQ(cancel.cancelled(), nullptr);
    EXPECT_TRUE(file_exists(card_.file(L"event.csv")));
}

TEST_F(SavingTest, ACancelledDialogWritesNothingAndAFailedWriteIsToldAndLeavesNoFile)
{
    open(event_folder(L"0001"), data_type_event);
    pause_on_shown_frame();
    {
        SaveAnswer cancelled(card_.file(L"cancelled.csv"), false);
        command(IDC_CMD_EXPORT_TELEMETRY);
        command(IDC_CMD_SAVE_FRAME);
        EXPECT_EQ(cancelled.proposed.size(), 2u);
    }
    EXPECT_FALSE(file_exists(card_.file(L"cancelled.csv")));
    EXPECT_TRUE(messages_.shown().empty());

    const std::wstring nowhere = card_.file(L"no such folder\\frame.jpg");
    SaveAnswer failing(nowhere);
    command(IDC_CMD_SAVE_FRAME);
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(messages_.shown()[0].text, L"静止画を保存できませんでした。\r\n" + nowhere);
    EXPECT_EQ(messages_.shown()[0].owner, handle_);
    command(IDC_CMD_EXPORT_TELEMETRY);
    ASSERT_EQ(messages_.shown().size(), 2u);
    EXPECT_EQ(messages_.shown()[1].text, L"走行データを書き出せませんでした。\r\n" + nowhere);
    EXPECT_FALSE(file_exists(nowhere));
}

} // namespace
